#pragma once

#include "app/AnimationClock.h"
#include "app/BackgroundSampler.h"
#include "app/DocumentChange.h"
#include "app/GlView.h"
#include "dialogs/GraphDialog.h"
#include "dialogs/GraphDialogLogic.h"
#include "document/Document.h"
#include "scene/CLight.h"
#include "scene/CView.h"
#include "scene/SceneOrientation.h"

#include <QMainWindow>
#include <QStringList>

#include <optional>
#include <variant>
#include <vector>

class QAction;
class QActionGroup;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QTimer;
class QUndoStack;
class QProgressBar;
class QPushButton;
class QSplitter;
class QToolBar;

namespace tervane {

/// The main window "Tervane": menus, three toolbars, the graph list, the GL view and the status
/// bar over one document. It wires widgets to the document's operations and to the view; the
/// operations themselves live in Document and in the graph dialogs' logic.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // --- state for the dialogs, the tests and the view ---
    Document& Doc() { return document_; }
    const SceneOrientation& Orientation() const { return orientation_; }
    CView& Camera() { return view_; }
    GlView* View() const { return picDraw_; }
    [[nodiscard]] bool EditRequest() const { return editRequest_; }
    /// The folder of the Demo documents: samples/ beside the program unless set.
    [[nodiscard]] QString SamplesFolder() const { return samplesFolder_; }
    void SetSamplesFolder(const QString& folder) { samplesFolder_ = folder; }
    /// Grids above this many points are sampled in a worker thread.
    void SetBackgroundThreshold(std::uint64_t points) { backgroundPoints_ = points; }
    BackgroundSampler& Sampler() { return *sampler_; }
    /// Add, edit, delete, paste and check changes, for Edit > Undo and Redo.
    QUndoStack& UndoStack() { return *undoStack_; }

    // --- operations other parts of the window call ---
    /// Reads a document and shows it; on failure the current document stays and the reason is
    /// shown. An empty path does nothing. True when the document was read; large grids are then
    /// sampled in the worker and the document is replaced when they are done.
    bool LoadDocument(const QString& path);
    /// Removes list entry k - 1 (k from 1) and its graph.
    void DeleteGraph(int k);
    void DeleteAllGraphs();
    [[nodiscard]] bool HasShownGraph(std::int32_t id) const { return document_.HasShownGraph(id); }
    void Enable3DViewButtons();
    void EnableMapViewButtons();
    /// The scene list is rebuilt before the next frame; Display shows the frame again.
    void BuildSceneList();
    void Display();
    /// The values of the document a scene build reads.
    [[nodiscard]] SceneValues CurrentSceneValues() const;
    /// Marks the zeros and poles of the shown graphs in the view and lists them in Result
    /// (View > Zeros and Poles), or stops doing so.
    void ShowRoots(bool on);

    /// Prints the view's picture on a printer (the Print command uses the default printer);
    /// false when the printer cannot be used.
    bool PrintTo(QPrinter& printer);
    /// Writes the view's picture as a 24-bit bitmap file through the atomic file writer.
    bool SaveViewPicture(const QString& path);
    /// The animation clock and the step the view shows.
    [[nodiscard]] const AnimationClock& Clock() const { return clock_; }
    [[nodiscard]] std::int32_t ShownStep() const { return shownStep_; }
    /// One tick of Timer1 (tests step the animation with it).
    void Timer1_Timer();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Building the window.
    void CreateMenus();
    void CreateToolbars();
    void CreateContextMenus();
    void CreateCentral();
    void CreateStatusBar();
    /// Shows the clip note while a graph the view shows has its spikes cut off, hides it
    /// otherwise; called after every frame, when the graphs' boxes are those drawn.
    void ShowClipNote();
    QAction* MenuEntry(QMenu* menu, const QString& caption, const QString& name);
    QAction* Separator(QMenu* menu, const QString& name);
    QAction* Button(QToolBar* bar, const QString& key, const QString& tip, const QString& status);
    QAction* BarSeparator(QToolBar* bar, const QString& name);

    // Commands.
    void OpenFlow();
    bool SaveFlow(const QString& caption = "Save");
    void SaveAsFlow();
    void PrintView();
    void CutGraph();
    void CopyGraph();
    void CopyAsBitmap();
    void PasteGraph();
    void DeleteSelected();
    void SetDragMode(DragMode mode, int rotateMode = 0);
    void ZoomToFit();
    void StandardViewCommand(StandardView view);
    void SetProjection(int projectType);
    void SetModel(std::int32_t show);
    void SetSmoothness(std::int32_t smoothness);
    void Draw3DGraph();
    void DrawColorMap();
    void EditGraph();
    void OpenDemo(const QString& fileName);
    void OpenHelpPage(const QString& page);
    void About();
    bool SaveDocumentAs(QString name);

    // Property dialogs and animation.
    void ViewSettings();
    void AxisDialog();
    void LightDialog();
    void AnimationOptions();
    void Play(AnimationClock::Mode mode);
    void StopAnimation();
    void ShowFrame();

    // Graph dialogs and their aftermath.
    using DialogInput = std::variant<SurfaceDialogInput, ColorMapDialogInput>;
    void RunGraphDialog(const DialogInput* refill, const CGraph* fillFrom, bool colorMap,
                        const DialogMessage* message = nullptr);
    void AfterGraphDialog(std::size_t countBefore, bool replaced);
    void SampleInBackground(const PendingGraph& pending, DialogInput input, bool colorMap);
    void ViewButtonsForSceneKind();
    /// A colour map is flat: it is seen from the front, whatever turn the view had.
    void ShowMapFromFront();

    // The graph list.
    /// Records a change of the graphs made since `before` as one step of Edit > Undo (nothing
    /// when the list is as it was and no graph was edited).
    void PushChange(const QString& text, const DocumentListState& before, EditedGraph edited = {});
    /// Shows the document again after undo or redo.
    void ShowDocumentAgain();
    /// Adds a read paste to the document (sampled in the worker or sampled here).
    void FinishPaste(Document::PendingPaste paste, bool sampled);
    /// Replaces the document with a read and sampled one and shows it.
    void FinishLoad(Document::PendingLoad load, const QString& path);
    /// A wait cursor and a status note while the picture of a grid of this many points is
    /// compiled, until the next frame is shown; nothing for small grids.
    void NoteDrawing(std::uint64_t points);
    /// Shows a document sampled in the worker once no dialog is open, asking to save first
    /// when the document shown changed while it was read.
    void CommitOpened(const std::shared_ptr<Document::PendingLoad>& load, const QString& path,
                      int changesBefore);
    void RefreshList();
    void List1_ItemChanged();
    [[nodiscard]] std::optional<std::size_t> SelectedEntry() const;
    std::shared_ptr<CGraph> SelectedShownGraph();
    void ShowWarnings(const std::vector<std::string>& warnings);
    /// The title names the document's file (none for a new document); the file on disk is the
    /// state it marks as unmodified.
    void SetDocumentFile(const QString& path);
    /// The modified mark of the title: a change of the graphs since the document was opened or
    /// saved, through the undo history or beside it.
    void RefreshModified();
    void MarkChanged();
    void ShowResultFailure(const DocumentResult& result);

    // Recent files and settings.
    void AddRecentFile(const QString& path);
    void RefreshRecentMenu();
    void RestoreSettings();
    void SaveSettings();
    bool AskSaveBeforeOpen();

    Document document_;
    CView view_;
    CLight light_;
    SceneOrientation orientation_;
    bool editRequest_ = false;
    QString samplesFolder_;
    std::uint64_t backgroundPoints_ = GraphDialog::kDefaultBackgroundPoints;

    GlView* picDraw_ = nullptr;
    QListWidget* List1_ = nullptr;
    QPlainTextEdit* Result_ = nullptr;
    QAction* mnuViewRoots_ = nullptr;
    std::string rootsReport_; ///< what Result shows of the zeros and poles
    void ListRoots();
    QSplitter* Splitter_ = nullptr;
    QSplitter* Splitter2_ = nullptr;
    QToolBar* Toolbar1_ = nullptr;
    QToolBar* Toolbar2_ = nullptr;
    QToolBar* Toolbar3_ = nullptr;
    QMenu* FunEdit_ = nullptr;
    QMenu* GraphEdit_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelSampling_ = nullptr;
    BackgroundSampler* sampler_ = nullptr;
    QUndoStack* undoStack_ = nullptr;
    bool drawingNote_ = false; ///< NoteDrawing's cursor is set
    /// Toolbar3's buttons and separators by index from 1 (entry 0 unused).
    std::vector<QAction*> toolbar3_;
    /// The View menu's rotations and standard views, off for a flat colour map as their
    /// Toolbar3 buttons are.
    std::vector<QAction*> viewMenu3D_;
    /// A graph changed in a way the undo history does not record (its model or shading).
    bool changedBesideHistory_ = false;
    /// The mode entries of the View menu and Toolbar3, kept checked alike.
    std::vector<std::pair<QAction*, std::pair<DragMode, int>>> modeActions_;
    QAction* orthoAction_ = nullptr;
    QAction* perspectiveAction_ = nullptr;
    bool listUpdating_ = false;
    QTimer* Timer1_ = nullptr;
    QLabel* frameLabel_ = nullptr;
    /// The note in the status bar while the view shows a clipped graph.
    QLabel* clipNote_ = nullptr;
    AnimationClock clock_;
    /// The step the view shows: the animation step of the last tick (1 at start).
    std::int32_t shownStep_ = 1;
};

} // namespace tervane
