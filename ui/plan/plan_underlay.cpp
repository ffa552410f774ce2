#include "plan_underlay.h"

#include <QMutex>
#include <QThreadPool>

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "underlay_decoding.h"
#include "underlay_parts.h"

namespace {

// The long side of a picture's preview, and the size at which its halvings stop.
constexpr int kPreviewSide = 1024;
constexpr int kSmallestHalving = 256;
// A vector drawing's first rendering, before the view has said at what zoom it shows it.
constexpr double kFirstRenderingPixels = 4e6;

// The underlays' own workers: a plan of many megapixels never waits behind, nor holds up, work
// the rest of the program gives Qt's shared pool. Two threads: one picture decoding while another
// underlay renders, without taking every core of a small machine.
class UnderlayWorkers : public QThreadPool {
  public:
    UnderlayWorkers() { setMaxThreadCount(2); }
};
Q_GLOBAL_STATIC(UnderlayWorkers, g_workers)

enum class Kind { Blank, Picture, Svg, Pdf };

Kind KindOf(const QString& mime) {
    if (mime == QLatin1String("image/svg+xml"))
        return Kind::Svg;
    if (mime == QLatin1String("application/pdf"))
        return Kind::Pdf;
    if (mime.startsWith(QLatin1String("image/")))
        return Kind::Picture;
    return Kind::Blank;
}

QString CannotBeRead() {
    return QStringLiteral("The picture cannot be read.");
}

RenderedPart FirstPart(QSizeF size) {
    const double scale =
        std::min(1.0, std::sqrt(kFirstRenderingPixels / (size.width() * size.height())));
    return {QRectF(QPointF(), size), scale};
}

}  // namespace

// Shared by the underlay and the workers doing its work; every field is read and written under
// `mutex`.
struct PlanUnderlay::State {
    QMutex mutex;
    PlanUnderlay* owner = nullptr;  // nullptr once the underlay is gone: nobody to tell
    // Counts the Loads (and Clears): work done for an earlier one is thrown away.
    quint64 loading = 0;

    Kind kind = Kind::Blank;
    QByteArray bytes;
    int pdfPage = 0;
    QSizeF size;
    QString problem;

    // A picture: a preview until its halvings are ready.
    QImage preview;
    std::vector<QImage> levels;

    // A vector drawing: its last rendering, the view it was last drawn in, the rendering in hand
    // and the one to make next (which each new view replaces).
    UnderlayImage rendering;
    std::optional<UnderlayView> lastView;
    std::optional<RenderedPart> inHand;
    std::optional<RenderedPart> wanted;
    bool rendererRunning = false;

    bool IsCurrent(quint64 load) const { return loading == load; }

    // Asks the underlay, on its own thread, to tell the view. Called under `mutex`, which the
    // underlay's destructor takes to clear `owner`: the event is posted before the underlay starts
    // going, and Qt drops the events of an object it deletes.
    void Tell(quint64 load) {
        if (owner == nullptr || !IsCurrent(load))
            return;
        PlanUnderlay* underlay = owner;
        QMetaObject::invokeMethod(
            underlay, [underlay] { emit underlay->changed(); }, Qt::QueuedConnection);
    }

    // Forgets what was shown. Freeing a picture of hundreds of megabytes takes the system a while:
    // a worker does it, not the window's thread.
    void Forget() {
        if (!levels.empty() || !preview.isNull() || !rendering.image.isNull()) {
            g_workers->start([preview = std::move(preview), levels = std::move(levels),
                              rendering = std::move(rendering)] {});
        }
        kind = Kind::Blank;
        bytes = {};
        pdfPage = 0;
        size = {};
        problem = {};
        preview = {};
        levels.clear();
        rendering = {};
        lastView.reset();
        inHand.reset();
        wanted.reset();
        rendererRunning = false;
    }

    // The work of a Load, on a worker: each holds the state, which outlives the underlay if need
    // be, and gives up as soon as another Load (or the underlay's end) makes it useless.
    static void DecodePictureJob(const std::shared_ptr<State>& state, quint64 load);
    static void RenderVectorJob(const std::shared_ptr<State>& state, quint64 load);
};

void PlanUnderlay::State::DecodePictureJob(const std::shared_ptr<State>& state, quint64 load) {
    const Abandoned abandoned = [&state, load] {
        QMutexLocker lock(&state->mutex);
        return !state->IsCurrent(load);
    };
    QByteArray bytes;
    {
        QMutexLocker lock(&state->mutex);
        if (!state->IsCurrent(load))
            return;
        bytes = state->bytes;
    }
    QImage preview = PreviewOfJpeg(bytes, kPreviewSide, abandoned);
    if (!preview.isNull()) {
        QMutexLocker lock(&state->mutex);
        if (!state->IsCurrent(load))
            return;
        state->preview = preview;
        state->Tell(load);
    }
    const QImage picture = DecodePicture(bytes, abandoned);
    if (abandoned())
        return;
    if (picture.isNull()) {
        QMutexLocker lock(&state->mutex);
        if (!state->IsCurrent(load))
            return;
        state->problem = CannotBeRead();
        state->size = {};
        state->preview = {};
        state->Tell(load);
        return;
    }
    if (preview.isNull()) {
        // A picked sample, quick even from 64 Mpx, to show while the halvings are made.
        preview = picture.scaled(picture.size().boundedTo(QSize(kPreviewSide, kPreviewSide)),
                                 Qt::KeepAspectRatio, Qt::FastTransformation);
        QMutexLocker lock(&state->mutex);
        if (!state->IsCurrent(load))
            return;
        state->preview = preview;
        state->size = picture.size();
        state->Tell(load);
    }
    std::vector<QImage> levels = HalvingsOf(picture, kSmallestHalving, abandoned);
    QMutexLocker lock(&state->mutex);
    if (levels.empty() || !state->IsCurrent(load))
        return;
    state->levels = std::move(levels);
    state->size = picture.size();
    state->preview = {};
    state->Tell(load);
}

void PlanUnderlay::State::RenderVectorJob(const std::shared_ptr<State>& state, quint64 load) {
    QByteArray bytes;
    Kind kind = Kind::Blank;
    int pdfPage = 0;
    {
        QMutexLocker lock(&state->mutex);
        if (!state->IsCurrent(load))
            return;
        bytes = state->bytes;
        kind = state->kind;
        pdfPage = state->pdfPage;
    }
    // Opened on this thread and used only here: a drawing's Qt objects are not shared.
    const std::unique_ptr<VectorDrawing> drawing = kind == Kind::Pdf
                                                       ? VectorDrawing::OpenPdfPage(bytes, pdfPage)
                                                       : VectorDrawing::OpenSvg(bytes);
    {
        QMutexLocker lock(&state->mutex);
        if (!state->IsCurrent(load))
            return;
        if (!drawing) {
            state->problem = CannotBeRead();
            state->rendererRunning = false;
            state->Tell(load);
            return;
        }
        const bool sizeWasKnown = !state->size.isEmpty();
        state->size = drawing->Size();
        if (!state->wanted && state->lastView)
            state->wanted = PartToRender(state->size, *state->lastView);
        if (!state->wanted && state->rendering.image.isNull())
            state->wanted = FirstPart(state->size);
        if (!sizeWasKnown)
            state->Tell(load);
    }
    for (;;) {
        RenderedPart part;
        {
            QMutexLocker lock(&state->mutex);
            if (!state->IsCurrent(load))
                return;
            state->inHand.reset();
            if (!state->wanted) {
                state->rendererRunning = false;
                return;
            }
            part = *state->wanted;
            state->inHand = state->wanted;
            state->wanted.reset();
        }
        UnderlayImage rendering = drawing->Render(part.region, part.scale);
        QMutexLocker lock(&state->mutex);
        if (!state->IsCurrent(load))
            return;
        std::swap(state->rendering, rendering);
        state->Tell(load);
        // The rendering replaced is freed here, off the window's thread.
        lock.unlock();
    }
}

PlanUnderlay::PlanUnderlay(QObject* parent) : QObject(parent), m_state(std::make_shared<State>()) {
    m_state->owner = this;
}

PlanUnderlay::~PlanUnderlay() {
    QMutexLocker lock(&m_state->mutex);
    m_state->owner = nullptr;
    ++m_state->loading;
    m_state->Forget();
}

void PlanUnderlay::Load(const QByteArray& bytes, const QString& mime, int pdfPage) {
    const Kind kind = bytes.isEmpty() ? Kind::Blank : KindOf(mime);
    // The header only: a few bytes read, whatever the picture's size.
    const QSize headerSize = kind == Kind::Picture ? PictureHeaderSize(bytes) : QSize();
    const bool readable =
        kind == Kind::Svg || kind == Kind::Pdf || (kind == Kind::Picture && !headerSize.isEmpty());
    quint64 load = 0;
    {
        QMutexLocker lock(&m_state->mutex);
        State& state = *m_state;
        state.Forget();
        load = ++state.loading;
        if (!readable) {
            state.problem = CannotBeRead();
        } else {
            state.kind = kind;
            state.bytes = bytes;
            state.pdfPage = pdfPage;
            state.size = headerSize;
            state.rendererRunning = kind != Kind::Picture;
        }
    }
    if (readable && kind == Kind::Picture) {
        g_workers->start([state = m_state, load] { State::DecodePictureJob(state, load); });
    } else if (readable) {
        g_workers->start([state = m_state, load] { State::RenderVectorJob(state, load); });
    }
    emit changed();
}

void PlanUnderlay::Clear() {
    {
        QMutexLocker lock(&m_state->mutex);
        m_state->Forget();
        ++m_state->loading;
    }
    emit changed();
}

QSizeF PlanUnderlay::SizePx() const {
    QMutexLocker lock(&m_state->mutex);
    return m_state->problem.isEmpty() ? m_state->size : QSizeF();
}

QString PlanUnderlay::Problem() const {
    QMutexLocker lock(&m_state->mutex);
    return m_state->problem;
}

bool PlanUnderlay::IsSharp() const {
    QMutexLocker lock(&m_state->mutex);
    const State& state = *m_state;
    if (!state.problem.isEmpty())
        return false;
    switch (state.kind) {
        case Kind::Blank:
            return false;
        case Kind::Picture:
            return !state.levels.empty();
        case Kind::Svg:
        case Kind::Pdf:
            break;
    }
    if (state.rendering.image.isNull())
        return false;
    return !state.lastView || Serves(PartOf(state.rendering), state.size, *state.lastView);
}

void PlanUnderlay::Draw(QPainter& painter, const QTransform& toDevice, const QRectF& area) {
    const UnderlayView view = ViewOf(toDevice, area);
    UnderlayImage shown;
    bool startRenderer = false;
    quint64 load = 0;
    {
        QMutexLocker lock(&m_state->mutex);
        State& state = *m_state;
        if (!state.problem.isEmpty())
            return;
        const QRectF whole(QPointF(), state.size);
        if (state.kind == Kind::Picture) {
            if (!state.levels.empty())
                shown = {state.levels[LevelFor(state.levels, whole.width(), view.scale)], whole};
            else
                shown = {state.preview, whole};
        } else if (state.kind != Kind::Blank) {
            state.lastView = view;
            const auto servesView = [&](const std::optional<RenderedPart>& part) {
                return part && Serves(*part, state.size, view);
            };
            if (!state.size.isEmpty() && !Serves(PartOf(state.rendering), state.size, view) &&
                !servesView(state.inHand) && !servesView(state.wanted)) {
                state.wanted = PartToRender(state.size, view);
                startRenderer = state.wanted && !state.rendererRunning;
                state.rendererRunning = state.rendererRunning || startRenderer;
            }
            shown = state.rendering;
        }
        load = state.loading;
    }
    if (startRenderer)
        g_workers->start([state = m_state, load] { State::RenderVectorJob(state, load); });
    DrawImagePart(painter, toDevice, area, shown);
}
