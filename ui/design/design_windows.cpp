#include "design_windows.h"

#include <QScreen>

#include "coverage_window.h"
#include "window_placement.h"

namespace {

// Beside `other` where the screen has room, at the size its layout asks for. The window
// manager's frame is not known before the first show; the mode window's, from the same window
// manager, is the best guess.
void OpenBeside(CoverageWindow* window, const QWidget* other) {
    const QRect available = other->screen()->availableGeometry();
    const QRect inside = other->geometry(), outside = other->frameGeometry();
    const QMargins frame(inside.left() - outside.left(), inside.top() - outside.top(),
                         outside.right() - inside.right(), outside.bottom() - inside.bottom());
    const QSize size = window->DefaultSize(available.size().shrunkBy(frame));
    const QRect placed = PlaceBeside(available, outside, size.grownBy(frame));
    window->resize(placed.size().shrunkBy(frame));
    window->move(placed.topLeft());
}

class ModuleDesignWindows : public DesignWindows {
  public:
    explicit ModuleDesignWindows(const CalculatorReadings& readings) : m_sources(readings) {}
    ~ModuleDesignWindows() override { delete m_window; }

    void Show(const QWidget* beside) override {
        if (!m_window) {
            m_window = new CoverageWindow(m_sources);
            OpenBeside(m_window, beside);
        }
        m_window->show();
        m_window->raise();
        m_window->activateWindow();
    }

    void OpenFile(const QString& path, const QWidget* beside) override {
        Show(beside);
        if (m_window->MaySetDesignAside())
            m_window->OpenFile(path);
    }

    bool MayEndProgram() override { return !m_window || m_window->MaySetDesignAside(); }

    void CalculatorChanged() override { emit m_sources.calculatorChanged(); }
    void LensDecoded() override { emit m_sources.lensDecoded(); }

    QWidget* Window() const override { return m_window; }

  private:
    ReadingsSources m_sources;
    CoverageWindow* m_window = nullptr;
};

}  // namespace

std::unique_ptr<DesignWindows> NewDesignWindows(const CalculatorReadings& readings) {
    return std::make_unique<ModuleDesignWindows>(readings);
}
