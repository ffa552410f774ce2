#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "coverage.h"
#include "coverage/source_follower.h"
#include "design_sheet.h"

class CameraCommands;
class PlanCommands;
class CameraEditor;
class CoverageViews;
class CamerasPanel;
class DesignDocument;
class DesignFileActions;
struct DesignMenus;
class FollowedSources;
class QComboBox;
class QSplitter;
class ResultsPanel;
class SheetActions;

// The Coverage window, the editor of a design: a site's cameras, kept in one file. At the top the
// design's name, notes and camera schedule; below, the camera selected: what it and its lens see
// of a target at a distance, the pixel density across the scene and the DORI level it reaches. On
// the left the camera's form, following the calculator's row 1 or 2, the last part number
// decoded, or the user's own values; on the right what the camera sees, and the pictures, the
// DORI table and the catalogue's lenses, one tab each; the design sheet's commands in a row at
// the bottom. Every edit recomputes every result at once and is a step of the design's history;
// the window only reads the sources it follows, and while it is hidden it follows nothing and
// does no work at all.
//
// A design always exists: the window opens on an untitled one whose "Camera 1" follows the
// calculator. Closed, the window keeps its design, changes and all, until it is shown again; the
// question to save them comes when another design takes its place or the program ends.
class CoverageWindow : public QWidget {
    Q_OBJECT

  public:
    using Source = SourceFollower::Source;

    explicit CoverageWindow(const FollowedSources& sources, QWidget* parent = nullptr);
    ~CoverageWindow() override;

    // What the window shows: the model's figures, texts and message.
    const Coverage& coverage() const { return m_shown; }

    // Every input and result, as the design sheet lists them.
    DesignSheet Sheet() const;
    // Write the design sheet to `path`; no value when the file is written, otherwise why not.
    // Nothing is left half written.
    std::optional<QString> SaveCsv(const QString& path) const;
    std::optional<QString> ExportPdf(const QString& path) const;

    // "Save changes to NAME?" when the design has changes: true when the caller may go on (no
    // changes, saved, or discarded), false when the user chose to stay.
    bool MaySetDesignAside();
    // Opens the design file at `path` in place of the design open, without asking; a message box
    // says why when it does not open.
    void OpenFile(const QString& path);

    // The size the window opens at when the screen has `room` for its frameless area: what its
    // layout asks for, no larger than the room.
    QSize DefaultSize(const QSize& room) const;

    DesignDocument& Document() const { return *m_document; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private slots:
    void Form_Change();
    void Source_Change();
    void follow_Change();
    void lensSuggestions_Chosen(const QString& modelNumber, double focalMm);
    void Design_Change();
    void cameras_CurrentChanged(const std::string& id);
    void files_DesignReplaced();

  private:
    QWidget* BuildInputs();
    void BuildDesign();
    void ChainTabOrder(QWidget* sheetButtons);
    void Recompute(const CoverageInputs& inputs);
    // The editor's inputs into the current camera: the user's own values as a step of the
    // history, a followed source's as no step.
    void StoreInDesign();
    // The camera `id` in the editor, following what it followed when it was last shown.
    void ShowCamera(const std::string& id);
    static CoverageInputs WithoutStrayLens(CoverageInputs inputs, Source source,
                                           const NumberFormat& format);

    NumberFormat m_numberFormat;
    Coverage m_shown;

    QComboBox* m_follow = nullptr;
    SourceFollower* m_follower = nullptr;
    CameraEditor* m_editor = nullptr;
    ResultsPanel* m_results = nullptr;
    CoverageViews* m_views = nullptr;
    SheetActions* m_sheetActions = nullptr;
    QWidget* m_content = nullptr;  // the two columns, which scroll when the window is too small
    QWidget* m_inputs = nullptr;   // the left-hand column
    QWidget* m_buttons = nullptr;  // the design sheet's row

    DesignDocument* m_document = nullptr;
    CamerasPanel* m_cameras = nullptr;
    QSplitter* m_split = nullptr;  // the schedule above, the camera below
    DesignFileActions* m_files = nullptr;
    std::unique_ptr<DesignMenus> m_menus;  // its actions are the window's children
    CameraCommands* m_cameraCommands = nullptr;
    PlanCommands* m_planCommands = nullptr;
    std::string m_currentId;                   // the camera in the editor
    std::map<std::string, Source> m_sourceOf;  // what each camera follows; own values if none
    bool m_showingCamera = false;              // while ShowCamera fills the editor
    bool m_recoveryOffered = false;
};
