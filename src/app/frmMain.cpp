#include "app/frmMain.h"

#include "app/AppFolders.h"
#include "app/FileAssociation.h"
#include "app/HelpLinks.h"
#include "app/ToolbarIcons.h"
#include "core/BitmapFile.h"
#include "dialogs/UserPrompts.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmAnimation.h"
#include "dialogs/frmAxis.h"
#include "dialogs/frmAxisStyle.h"
#include "dialogs/frmColorMap.h"
#include "dialogs/frmGraph3D.h"
#include "dialogs/frmLight.h"
#include "dialogs/frmViewSetting.h"
#include "document/DocumentSamples.h"
#include "gl/DocumentScene.h"
#include "gl/ViewBitmap.h"
#include "graph/DocumentKinds.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>

#include <filesystem>

namespace tervane {

namespace {

constexpr const char* kDocumentFilter = "Tervane documents (*.kpl)";
constexpr const char* kSaveAsFilter = "Tervane documents (*.kpl);;Bitmap pictures (*.bmp)";
constexpr const char* kSavePrompt = "Do you want to save the graphs?";
constexpr int kRecentFiles = 8;
constexpr const char* kClipNote = "Spikes cut off at the box (red outline)";
// Splitter limits: the left pane and the view keep at least this width, the list this height.
constexpr int kMinPaneWidth = 67;
constexpr int kMinListHeight = 67;

QString FromStd(const std::string& s) {
    return QString::fromStdString(s);
}

std::filesystem::path ToPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

MessageRequest Message(const QString& text, const QString& caption,
                       QMessageBox::Icon icon = QMessageBox::Warning,
                       QMessageBox::StandardButtons buttons = QMessageBox::Ok) {
    return MessageRequest{text, caption, icon, buttons};
}

// The caption with a mnemonic on its first character that no entry before it in its menu has
// taken, letters and digits first: the demo documents' captions come from a table and are
// alike, so a fixed position would repeat.
QString WithMnemonic(const QString& caption, QString& taken) {
    for (const bool letterOrDigit : {true, false}) {
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar c = caption[i].toLower();
            if (c.isSpace() || c == '&' || c.isLetterOrNumber() != letterOrDigit ||
                taken.contains(c))
                continue;
            taken += c;
            return caption.left(i) + '&' + caption.mid(i);
        }
    }
    return caption;
}

bool IsDocumentFile(const QUrl& url) {
    return url.isLocalFile() && url.toLocalFile().endsWith(".kpl", Qt::CaseInsensitive);
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmMain");
    setAcceptDrops(true);
    samplesFolder_ = ShippedPath("samples");
    sampler_ = new BackgroundSampler(this);
    undoStack_ = new QUndoStack(this);
    undoStack_->setObjectName("UndoStack");
    // Each edited graph keeps copies of itself before and after: a bounded history.
    undoStack_->setUndoLimit(50);
    // The history knows when the graphs are back as they were opened or saved.
    connect(undoStack_, &QUndoStack::cleanChanged, this, &frmMain::RefreshModified);
    connect(undoStack_, &QUndoStack::indexChanged, this, &frmMain::RefreshModified);
    SetDocumentFile(QString());
    Timer1_ = new QTimer(this);
    Timer1_->setObjectName("Timer1");
    Timer1_->setInterval(AnimationClock::IntervalMs(document_.AnimationSpeed()));
    connect(Timer1_, &QTimer::timeout, this, &frmMain::Timer1_Timer);

    CreateCentral();
    CreateMenus();
    CreateToolbars();
    CreateContextMenus();
    CreateStatusBar();
    resize(1100, 760);
    RestoreSettings();
    RefreshRecentMenu();
    RegisterAssociation(QCoreApplication::applicationFilePath(), ShippedPath("tervane.svg"));
}

frmMain::~frmMain() {
    sampler_->Cancel();
    // The history empties itself when it is destroyed, after this window's members are gone.
    undoStack_->disconnect(this);
}

// --- building the window ------------------------------------------------------------------

QAction* frmMain::MenuEntry(QMenu* menu, const QString& caption, const QString& name) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

QAction* frmMain::Separator(QMenu* menu, const QString& name) {
    QAction* s = menu->addSeparator();
    s->setObjectName(name);
    return s;
}

QAction* frmMain::Button(QToolBar* bar, const QString& key, const QString& tip,
                         const QString& status) {
    QAction* a = bar->addAction(ToolbarIcon(key), tip);
    a->setObjectName(key);
    a->setToolTip(tip);
    a->setStatusTip(status);
    return a;
}

QAction* frmMain::BarSeparator(QToolBar* bar, const QString& name) {
    QAction* s = bar->addSeparator();
    s->setObjectName(name);
    return s;
}

void frmMain::CreateCentral() {
    List1_ = new QListWidget;
    List1_->setObjectName("List1");
    List1_->setContextMenuPolicy(Qt::CustomContextMenu);
    List1_->setMinimumHeight(kMinListHeight);
    connect(List1_, &QListWidget::itemChanged, this, [this] { List1_ItemChanged(); });
    connect(List1_, &QListWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (QListWidgetItem* item = List1_->itemAt(pos)) List1_->setCurrentItem(item);
        FunEdit_->popup(List1_->viewport()->mapToGlobal(pos));
    });
    connect(List1_, &QListWidget::itemDoubleClicked, this, [this] { EditGraph(); });

    Result_ = new QPlainTextEdit;
    Result_->setObjectName("Result");
    Result_->setReadOnly(true);

    Splitter2_ = new QSplitter(Qt::Vertical);
    Splitter2_->setObjectName("Splitter2");
    Splitter2_->addWidget(List1_);
    Splitter2_->addWidget(Result_);
    Splitter2_->setChildrenCollapsible(false);
    Splitter2_->setStretchFactor(0, 3);
    Splitter2_->setStretchFactor(1, 1);
    Splitter2_->setMinimumWidth(kMinPaneWidth);

    picDraw_ = new GlView(
        SceneInputs{document_.ShownGraphs(), document_.Axes(), view_, light_, orientation_},
        [this] { return CurrentSceneValues(); }, [this] { return shownStep_; });
    picDraw_->setMinimumWidth(kMinPaneWidth);
    connect(picDraw_, &GlView::ContextMenuRequested, this,
            [this](const QPoint& global) { GraphEdit_->popup(global); });
    connect(picDraw_, &GlView::GlMessages, this, [this](const QStringList& messages) {
        for (const QString& m : messages)
            ShowMessage(this, Message(m, "Error", QMessageBox::Critical));
    });

    Splitter_ = new QSplitter(Qt::Horizontal);
    Splitter_->setObjectName("Splitter");
    Splitter_->addWidget(Splitter2_);
    Splitter_->addWidget(picDraw_);
    Splitter_->setChildrenCollapsible(false);
    Splitter_->setStretchFactor(1, 1);
    Splitter_->setSizes({230, 800});
    Splitter2_->setSizes({420, 160});
    setCentralWidget(Splitter_);
}

void frmMain::CreateMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("mnuFile");
    QAction* open = MenuEntry(file, "&Open...", "mnuFileOpen");
    open->setShortcut(QKeySequence::Open);
    connect(open, &QAction::triggered, this, &frmMain::OpenFlow);
    QAction* save = MenuEntry(file, "&Save", "mnuFileSave");
    save->setShortcut(QKeySequence::Save);
    connect(save, &QAction::triggered, this, [this] { SaveFlow(); });
    QAction* saveAs = MenuEntry(file, "Save&As...", "mnuFileSaveAs");
    saveAs->setShortcut(QKeySequence::SaveAs);
    connect(saveAs, &QAction::triggered, this, &frmMain::SaveAsFlow);
    Separator(file, "mnuFileSep3");
    QAction* print = MenuEntry(file, "&Print...", "mnuFilePrint");
    print->setShortcut(QKeySequence::Print);
    connect(print, &QAction::triggered, this, &frmMain::PrintView);
    Separator(file, "mnuFileSep2");
    recentMenu_ = file->addMenu("&Recent Files");
    recentMenu_->setObjectName("mnuFileRecent");
    Separator(file, "mnuFileSepRecent");
    QAction* exit = MenuEntry(file, "E&xit", "mnuFileExit");
    exit->setShortcut(QKeySequence::Quit);
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("mnuEdit");
    QAction* undo = undoStack_->createUndoAction(this, "&Undo");
    undo->setObjectName("mnuEditUndo");
    undo->setShortcut(QKeySequence::Undo);
    edit->addAction(undo);
    QAction* redo = undoStack_->createRedoAction(this, "&Redo");
    redo->setObjectName("mnuEditRedo");
    redo->setShortcut(QKeySequence::Redo);
    edit->addAction(redo);
    Separator(edit, "mnuEditSep0");
    QAction* cut = MenuEntry(edit, "Cu&t", "mnuEditCut");
    cut->setShortcut(QKeySequence::Cut);
    connect(cut, &QAction::triggered, this, &frmMain::CutGraph);
    QAction* copy = MenuEntry(edit, "&Copy", "mnuEditCopy");
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, &frmMain::CopyGraph);
    connect(MenuEntry(edit, "Copy As &BMP", "mnuEditCopyAs"), &QAction::triggered, this,
            &frmMain::CopyAsBitmap);
    QAction* paste = MenuEntry(edit, "&Paste", "mnuEditPaste");
    paste->setShortcut(QKeySequence::Paste);
    connect(paste, &QAction::triggered, this, &frmMain::PasteGraph);
    Separator(edit, "mnuEditSep2");
    QAction* del = MenuEntry(edit, "&Delete", "mnuEditDelete");
    del->setShortcut(QKeySequence::Delete);
    connect(del, &QAction::triggered, this, &frmMain::DeleteSelected);
    connect(MenuEntry(edit, "Delete &All", "mnuEditDelAll"), &QAction::triggered, this,
            &frmMain::DeleteAllGraphs);

    QMenu* view = menuBar()->addMenu("&View");
    view->setObjectName("mnuView");
    const auto mode = [this, view](const QString& caption, const QString& name, DragMode m,
                                   int rotateMode) {
        QAction* a = MenuEntry(view, caption, name);
        a->setCheckable(true);
        connect(a, &QAction::triggered, this,
                [this, m, rotateMode] { SetDragMode(m, rotateMode); });
        modeActions_.push_back({a, {m, rotateMode}});
        return a;
    };
    mode("&Move", "mnuViewMove", DragMode::Move, 0);
    mode("Z&oom", "mnuViewZoom", DragMode::Zoom, 0);
    connect(MenuEntry(view, "Zoom to &Fit", "mnuViewFit"), &QAction::triggered, this,
            &frmMain::ZoomToFit);
    viewMenu3D_.push_back(
        mode("Rotate About &X Axis", "mnuViewRotX", DragMode::Rotate, kRotateAboutX));
    viewMenu3D_.push_back(
        mode("Rotate About &Y Axis", "mnuViewRotY", DragMode::Rotate, kRotateAboutY));
    viewMenu3D_.push_back(
        mode("Rotate About &Z Axis", "mnuViewRotZ", DragMode::Rotate, kRotateAboutZ));
    viewMenu3D_.push_back(mode("Track &Ball", "mnuViewRotate", DragMode::Rotate, kRotateTrackball));
    Separator(view, "mnuViewSep");
    const auto standard = [this, view](const QString& caption, const QString& name,
                                       StandardView v) {
        QAction* a = MenuEntry(view, caption, name);
        connect(a, &QAction::triggered, this, [this, v] { StandardViewCommand(v); });
        viewMenu3D_.push_back(a);
    };
    standard("Fro&nt", "mnuViewFront", StandardView::Front);
    standard("&Right", "mnuViewRight", StandardView::Right);
    standard("&Top", "mnuViewTop", StandardView::Top);
    standard("&ISO", "mnuViewISO", StandardView::ISO);
    Separator(view, "mnuViewSep2");
    connect(MenuEntry(view, "&Settings...", "mnuViewSet"), &QAction::triggered, this,
            &frmMain::ViewSettings);
    Separator(view, "mnuViewSep3");
    mnuViewRoots_ = MenuEntry(view, "Zeros &and Poles", "mnuViewRoots");
    mnuViewRoots_->setCheckable(true);
    mnuViewRoots_->setStatusTip("Find the zeros and poles of the shown graphs, mark them in the "
                                "view and list them below the graph list");
    connect(mnuViewRoots_, &QAction::toggled, this, &frmMain::ShowRoots);

    QMenu* draw = menuBar()->addMenu("&Draw");
    draw->setObjectName("mnuDraw");
    connect(MenuEntry(draw, "&3D Graph", "mnuDraw3DCart"), &QAction::triggered, this,
            &frmMain::Draw3DGraph);
    connect(MenuEntry(draw, "&Color Map", "mnuDrawColor"), &QAction::triggered, this,
            &frmMain::DrawColorMap);
    Separator(draw, "mnuDrawSep");
    connect(MenuEntry(draw, "&Axis...", "mnuDrawAxis"), &QAction::triggered, this,
            &frmMain::AxisDialog);
    connect(MenuEntry(draw, "&Light...", "mnuDrawLight"), &QAction::triggered, this,
            &frmMain::LightDialog);

    QMenu* animation = menuBar()->addMenu("&Animation");
    animation->setObjectName("mnuAnim");
    const auto play = [this, animation](const QString& caption, const QString& name,
                                        AnimationClock::Mode mode) {
        connect(MenuEntry(animation, caption, name), &QAction::triggered, this,
                [this, mode] { Play(mode); });
    };
    play("Play &Forward", "mnuAnimForward", AnimationClock::Mode::ForwardOnce);
    play("Play &Backward", "mnuAnimBackward", AnimationClock::Mode::BackwardOnce);
    play("&Loop", "mnuAnimLoop", AnimationClock::Mode::Loop);
    play("Back &And Forth", "mnuAnimBackForth", AnimationClock::Mode::BackAndForth);
    connect(MenuEntry(animation, "&Stop", "mnuAnimStop"), &QAction::triggered, this,
            &frmMain::StopAnimation);
    Separator(animation, "mnuAnimSep");
    connect(MenuEntry(animation, "&Options...", "mnuAnimOptions"), &QAction::triggered, this,
            &frmMain::AnimationOptions);

    QMenu* demo = menuBar()->addMenu("De&mo");
    demo->setObjectName("mnuDemo");
    connect(MenuEntry(demo, "&Gallery", "mnuDemoGallery"), &QAction::triggered, this,
            [this] { OpenHelpPage("gallery.html"); });
    Separator(demo, "mnuDemoSep0");
    QMenu* demo3D = demo->addMenu("&3D Graph");
    demo3D->setObjectName("mnuDemo3D");
    QMenu* demoCM = demo->addMenu("2D &Color Map");
    demoCM->setObjectName("mnuCM");
    int index = 0;
    QString taken3D;
    QString takenCM;
    for (const DemoEntry& entry : DemoEntries()) {
        const QString name =
            QString::fromUtf8(entry.MenuName.data(), static_cast<qsizetype>(entry.MenuName.size()));
        const bool colorMap = name.startsWith("mnuDemoCM");
        const QString caption =
            QString::fromUtf8(entry.Caption.data(), static_cast<qsizetype>(entry.Caption.size()));
        QAction* a = MenuEntry(colorMap ? demoCM : demo3D,
                               WithMnemonic(caption, colorMap ? takenCM : taken3D), name);
        const QString fileName =
            QString::fromUtf8(entry.FileName.data(), static_cast<qsizetype>(entry.FileName.size()));
        connect(a, &QAction::triggered, this, [this, fileName] { OpenDemo(fileName); });
        ++index;
        if (index == 5) Separator(demo3D, "mnuDemo3DSep1");
        if (index == 10) Separator(demo3D, "mnuDemo3DSep2");
    }

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnuHelp");
    QAction* contents = MenuEntry(help, "&Contents...", "mnuHelpCon");
    contents->setShortcut(QKeySequence::HelpContents);
    connect(contents, &QAction::triggered, this, [this] { OpenHelpPage("index.html"); });
    Separator(help, "mnuHelpSep1");
    connect(MenuEntry(help, "&Home Page", "mnuHelpHome"), &QAction::triggered, this,
            [this] { OpenHelpPage("about.html"); });
    connect(MenuEntry(help, "Customer &Support", "mnuHelpCus"), &QAction::triggered, this,
            [this] { OpenHelpPage("about.html"); });
    Separator(help, "mnuHelpSep3");
    connect(MenuEntry(help, "&About...", "mnuHelpAbout"), &QAction::triggered, this,
            &frmMain::About);
}

void frmMain::CreateToolbars() {
    Toolbar1_ = new QToolBar("File and edit", this);
    Toolbar1_->setObjectName("Toolbar1");
    Toolbar2_ = new QToolBar("Graphs", this);
    Toolbar2_->setObjectName("Toolbar2");
    Toolbar3_ = new QToolBar("View", this);
    Toolbar3_->setObjectName("Toolbar3");
    for (QToolBar* bar : {Toolbar1_, Toolbar2_, Toolbar3_}) {
        bar->setMovable(false);
        bar->setIconSize(QSize(24, 24));
    }
    addToolBar(Qt::TopToolBarArea, Toolbar1_);
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, Toolbar2_);
    addToolBar(Qt::RightToolBarArea, Toolbar3_);
    Toolbar3_->setOrientation(Qt::Vertical);
    // Its nineteen buttons fit the height of the default window (and of a 768-pixel screen)
    // without the overflow arrow at 20 pixels.
    Toolbar3_->setIconSize(QSize(20, 20));

    BarSeparator(Toolbar1_, "barSep0");
    connect(Button(Toolbar1_, "barOpen", "Open File", "Open file"), &QAction::triggered, this,
            &frmMain::OpenFlow);
    connect(Button(Toolbar1_, "barSave", "Save File", "Save file"), &QAction::triggered, this,
            [this] { SaveFlow(); });
    connect(Button(Toolbar1_, "barSaveAs", "Save File As", "Save file as"), &QAction::triggered,
            this, &frmMain::SaveAsFlow);
    BarSeparator(Toolbar1_, "barSep2");
    connect(Button(Toolbar1_, "barPrint", "Print", "Print"), &QAction::triggered, this,
            &frmMain::PrintView);
    BarSeparator(Toolbar1_, "barSep3");
    connect(Button(Toolbar1_, "barCut", "Cut Selected Graph", "Cut the selected graph"),
            &QAction::triggered, this, &frmMain::CutGraph);
    connect(Button(Toolbar1_, "barCopy", "Copy Graph", "Copy the selected graph"),
            &QAction::triggered, this, &frmMain::CopyGraph);
    connect(Button(Toolbar1_, "barCopyAs", "Copy Graph As BMP", "Copy graphs as bitmap"),
            &QAction::triggered, this, &frmMain::CopyAsBitmap);
    connect(Button(Toolbar1_, "barPaste", "Paste Graph", "Paste"), &QAction::triggered, this,
            &frmMain::PasteGraph);
    connect(Button(Toolbar1_, "varDel", "Delete Selected Graph", "Delete the selected graph"),
            &QAction::triggered, this, &frmMain::DeleteSelected);
    BarSeparator(Toolbar1_, "barSep4");
    connect(Button(Toolbar1_, "barHelp", "Online Help", "Get online help"), &QAction::triggered,
            this, [this] { OpenHelpPage("index.html"); });

    Toolbar2_->addSeparator();
    connect(
        Button(Toolbar2_, "barFun3DCart", "Add A 3D Cartesian Function Graph", "Add a 3D graph"),
        &QAction::triggered, this, &frmMain::Draw3DGraph);
    connect(Button(Toolbar2_, "barColormap", "Add A Color Map", "Add a colormap"),
            &QAction::triggered, this, &frmMain::DrawColorMap);
    BarSeparator(Toolbar2_, "barSep12");
    connect(Button(Toolbar2_, "barCoord", "Coordinate System", "Axis"), &QAction::triggered, this,
            &frmMain::AxisDialog);
    connect(Button(Toolbar2_, "barLight", "Modify Light Properties", "Light"), &QAction::triggered,
            this, &frmMain::LightDialog);
    BarSeparator(Toolbar2_, "barSepAnim");
    const auto play = [this](const QString& key, const QString& tip, const QString& status,
                             AnimationClock::Mode mode) {
        connect(Button(Toolbar2_, key, tip, status), &QAction::triggered, this,
                [this, mode] { Play(mode); });
    };
    play("barAnimForward", "Play Forward", "Play the animation forward once",
         AnimationClock::Mode::ForwardOnce);
    play("barAnimBackward", "Play Backward", "Play the animation backward once",
         AnimationClock::Mode::BackwardOnce);
    play("barAnimLoop", "Loop", "Play the animation in a loop", AnimationClock::Mode::Loop);
    play("barAnimBackForth", "Back And Forth", "Play the animation back and forth",
         AnimationClock::Mode::BackAndForth);
    connect(Button(Toolbar2_, "barAnimStop", "Stop", "Stop the animation"), &QAction::triggered,
            this, &frmMain::StopAnimation);
    connect(Button(Toolbar2_, "barAnimOptions", "Animation Options",
                   "Number of frames and speed of the animation"),
            &QAction::triggered, this, &frmMain::AnimationOptions);

    toolbar3_.assign(1, nullptr);
    const auto add = [this](QAction* a) {
        toolbar3_.push_back(a);
        return a;
    };
    const auto view = [this, add](const QString& key, const QString& tip, const QString& status,
                                  StandardView v) {
        connect(add(Button(Toolbar3_, key, tip, status)), &QAction::triggered, this,
                [this, v] { StandardViewCommand(v); });
    };
    view("barViewFront", "View From Front", "View front", StandardView::Front);
    view("barViewRight", "View From Right", "View right", StandardView::Right);
    view("barViewTop", "View From Top", "View top", StandardView::Top);
    view("barViewISO", "View ISO", "View ISO", StandardView::ISO);
    add(BarSeparator(Toolbar3_, "barSep1"));
    auto* projection = new QActionGroup(this);
    orthoAction_ = add(Button(Toolbar3_, "barViewOrtho", "Ortho Projection", "Ortho projection"));
    perspectiveAction_ =
        add(Button(Toolbar3_, "barViewPer", "Perspective Projection", "Perspective projection"));
    for (QAction* a : {orthoAction_, perspectiveAction_}) {
        a->setCheckable(true);
        projection->addAction(a);
    }
    orthoAction_->setChecked(true);
    connect(orthoAction_, &QAction::triggered, this, [this] { SetProjection(kProjectOrtho); });
    connect(perspectiveAction_, &QAction::triggered, this,
            [this] { SetProjection(kProjectPerspective); });
    add(BarSeparator(Toolbar3_, "barSep2"));
    const auto mode = [this, add](const QString& key, const QString& tip, const QString& status,
                                  DragMode m, int rotateMode) {
        QAction* a = add(Button(Toolbar3_, key, tip, status));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this,
                [this, m, rotateMode] { SetDragMode(m, rotateMode); });
        modeActions_.push_back({a, {m, rotateMode}});
    };
    mode("barMove", "Move The Scene", "Move the scene", DragMode::Move, 0);
    mode("barZoom", "Zoom In Or Zoom Out", "Zoom in or zoom out", DragMode::Zoom, 0);
    connect(add(Button(Toolbar3_, "barZoomAll", "Zoom To Fit", "Zoom to fit")), &QAction::triggered,
            this, &frmMain::ZoomToFit);
    mode("barRotX", "Rotate About X Axis", "Rotate about x axis", DragMode::Rotate, kRotateAboutX);
    mode("barRotY", "Rotate About Y Axis", "Rotate about y axis", DragMode::Rotate, kRotateAboutY);
    mode("barRotZ", "Rotate About Z Axis", "Rotate about z axis", DragMode::Rotate, kRotateAboutZ);
    mode("barTrackBall", "Track Ball", "Rotate the scene", DragMode::Rotate, kRotateTrackball);
    add(BarSeparator(Toolbar3_, "barSep3"));
    const auto model = [this, add](const QString& key, const QString& tip, const QString& status,
                                   std::int32_t show) {
        connect(add(Button(Toolbar3_, key, tip, status)), &QAction::triggered, this,
                [this, show] { SetModel(show); });
    };
    model("barModelPoint", "Point Model", "Point model", kShowPoints);
    model("barModelGrid", "Grid Model", "Line model", kShowGrid);
    model("barModelSur", "Surface Model", "Surface model", kShowSurface);
    add(BarSeparator(Toolbar3_, "barSep4"));
    const auto smooth = [this, add](const QString& key, const QString& tip, const QString& status,
                                    std::int32_t smoothness) {
        connect(add(Button(Toolbar3_, key, tip, status)), &QAction::triggered, this,
                [this, smoothness] { SetSmoothness(smoothness); });
    };
    smooth("bar3DFlat", "Flat Surface", "Flat model", kSmoothFlat);
    smooth("bar3DSmooth", "Smooth Surface", "Smooth model", kSmoothSmooth);
    smooth("bar3DSmoothest", "Smoothest Surface", "Smoothest model", kSmoothSmoothest);
}

void frmMain::CreateContextMenus() {
    FunEdit_ = new QMenu(this);
    FunEdit_->setObjectName("FunEdit");
    connect(MenuEntry(FunEdit_, "&Edit...", "mnuFunEdit"), &QAction::triggered, this,
            &frmMain::EditGraph);
    connect(MenuEntry(FunEdit_, "Cu&t", "mnuFunCut"), &QAction::triggered, this,
            &frmMain::CutGraph);
    connect(MenuEntry(FunEdit_, "&Copy", "mnuFunCopy"), &QAction::triggered, this,
            &frmMain::CopyGraph);
    connect(MenuEntry(FunEdit_, "&Delete", "mnuFunDelete"), &QAction::triggered, this,
            &frmMain::DeleteSelected);

    GraphEdit_ = new QMenu(this);
    GraphEdit_->setObjectName("GraphEdit");
    connect(MenuEntry(GraphEdit_, "&Paste", "mnuGraphPaste"), &QAction::triggered, this,
            &frmMain::PasteGraph);
    connect(MenuEntry(GraphEdit_, "Copy As &BMP", "mnuGraphCopyAs"), &QAction::triggered, this,
            &frmMain::CopyAsBitmap);
    connect(MenuEntry(GraphEdit_, "&Delete All", "mnuGraphDelAll"), &QAction::triggered, this,
            &frmMain::DeleteAllGraphs);
    Separator(GraphEdit_, "mnuGraphSep");
    connect(MenuEntry(GraphEdit_, "&Axis...", "mnuGraphAxis"), &QAction::triggered, this,
            &frmMain::AxisDialog);
    connect(MenuEntry(GraphEdit_, "&Light...", "mnuGraphLight"), &QAction::triggered, this,
            &frmMain::LightDialog);
}

void frmMain::CreateStatusBar() {
    statusBar()->setObjectName("StatusBar1");
    statusPanel_ = new QLabel("Ready");
    statusPanel_->setObjectName("StatusPanel1");
    statusBar()->addWidget(statusPanel_, 1);
    progress_ = new QProgressBar;
    progress_->setObjectName("SamplingProgress");
    // Sampling reports no progress: the bar only shows that it runs.
    progress_->setRange(0, 0);
    progress_->setMaximumWidth(160);
    progress_->hide();
    cancelSampling_ = new QPushButton("Cancel");
    cancelSampling_->setObjectName("CancelSampling");
    cancelSampling_->hide();
    clipNote_ = new QLabel(kClipNote);
    clipNote_->setObjectName("StatusClip");
    clipNote_->setToolTip("Values far beyond the rest (near poles) are cut off at the box, "
                          "marked by a red outline; View > Settings... turns this off");
    clipNote_->hide();
    statusBar()->addPermanentWidget(clipNote_);
    // The graphs know whether they were clipped once the view has built the scene of a frame.
    connect(picDraw_, &QOpenGLWidget::frameSwapped, this, &frmMain::ShowClipNote);
    frameLabel_ = new QLabel;
    frameLabel_->setObjectName("StatusFrame");
    statusBar()->addPermanentWidget(frameLabel_);
    statusBar()->addPermanentWidget(progress_);
    statusBar()->addPermanentWidget(cancelSampling_);
    connect(cancelSampling_, &QPushButton::clicked, sampler_, &BackgroundSampler::Cancel);
    connect(sampler_, &BackgroundSampler::RunningChanged, this, [this](bool running) {
        progress_->setVisible(running);
        cancelSampling_->setVisible(running);
        statusPanel_->setText(running ? "Sampling the graph..." : "Ready");
    });
}

void frmMain::NoteDrawing(std::uint64_t points) {
    // Compiling the picture of a large grid takes seconds on the GUI thread (the GL context
    // lives there): the cursor and the status bar say so until the first frame is shown.
    if (points < backgroundPoints_ || drawingNote_ || !picDraw_->isVisible()) return;
    drawingNote_ = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    statusPanel_->setText("Drawing the graph...");
    statusPanel_->repaint();
}

void frmMain::ShowClipNote() {
    if (drawingNote_) {
        drawingNote_ = false;
        QApplication::restoreOverrideCursor();
        if (!sampler_->Running()) statusPanel_->setText("Ready");
    }
    bool clipped = false;
    for (const CScene::GraphPtr& graph : document_.ShownGraphs().FunSurfs())
        clipped = clipped || (graph->ClipSpikes() && graph->SpikesClipped());
    clipNote_->setVisible(clipped);
}

bool frmMain::event(QEvent* event) {
    // Panel 1 of the status bar shows the status text of the button under the mouse, and
    // "Ready" anywhere else.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        if (!sampler_->Running()) statusPanel_->setText(tip.isEmpty() ? "Ready" : tip);
        return true;
    }
    return QMainWindow::event(event);
}

// --- view ---------------------------------------------------------------------------------

SceneValues frmMain::CurrentSceneValues() const {
    SceneValues v = SceneValuesOf(document_);
    v.ClipSpikes = QSettings().value(kClipSpikesSetting, true).toBool();
    v.Box = StoredBoxRatio();
    return v;
}

void frmMain::BuildSceneList() {
    picDraw_->RequestBuild();
    ShowFrame();
    if (document_.ShowRoots()) ListRoots();
}

void frmMain::ShowRoots(bool on) {
    document_.SetShowRoots(on);
    if (mnuViewRoots_->isChecked() != on) mnuViewRoots_->setChecked(on);
    rootsReport_.clear();
    if (!on) Result_->clear();
    BuildSceneList();
}

void frmMain::ListRoots() {
    const std::string report = RootsReport(document_.ShownRoots());
    if (report == rootsReport_) return;
    rootsReport_ = report;
    Result_->setPlainText(FromStd(report));
}

void frmMain::Display() {
    picDraw_->RequestDisplay();
}

void frmMain::Enable3DViewButtons() {
    for (std::size_t i = 1; i < toolbar3_.size(); ++i)
        toolbar3_[i]->setEnabled(true);
    for (QAction* a : viewMenu3D_)
        a->setEnabled(true);
}

void frmMain::EnableMapViewButtons() {
    for (std::size_t i = 1; i < toolbar3_.size(); ++i) {
        const bool on = i == 9 || i == 10 || i == 11;
        const bool separator = i == 5 || i == 8 || i == 16 || i == 20;
        if (!separator) toolbar3_[i]->setEnabled(on);
    }
    for (QAction* a : viewMenu3D_)
        a->setEnabled(false);
    // A rotation chosen before would still turn the flat map under a drag.
    if (picDraw_->Navigator().Mode() == DragMode::Rotate) SetDragMode(DragMode::None);
}

void frmMain::ViewButtonsForSceneKind() {
    if (document_.SceneKind() == kScene3D) Enable3DViewButtons();
    if (document_.SceneKind() == kSceneColorMap) {
        ShowMapFromFront();
        EnableMapViewButtons();
    }
}

void frmMain::ShowMapFromFront() {
    const CScene& shown = document_.ShownGraphs();
    const SceneAngles front = StandardViewAngles(StandardView::Front);
    if (!orientation_.Rotated() &&
        SceneAngles{shown.RotRoll(), shown.RotPitch(), shown.RotYaw()} == front)
        return;
    // The standard views are off for a map: nothing else would bring it back to the front.
    StandardViewCommand(StandardView::Front);
}

void frmMain::SetDragMode(DragMode mode, int rotateMode) {
    if (mode == DragMode::Rotate)
        picDraw_->Navigator().SetRotateMode(rotateMode);
    else
        picDraw_->Navigator().SetMode(mode);
    for (auto& [action, m] : modeActions_)
        action->setChecked(m.first == mode && (mode != DragMode::Rotate || m.second == rotateMode));
}

void frmMain::ZoomToFit() {
    if (document_.ShownGraphs().Count() == 0) return;
    picDraw_->RequestZoomToFit();
}

void frmMain::StandardViewCommand(StandardView view) {
    const SceneAngles angles = StandardViewAngles(view);
    CScene& shown = document_.ShownGraphs();
    shown.SetRotRoll(angles.RotRoll);
    shown.SetRotPitch(angles.RotPitch);
    shown.SetRotYaw(angles.RotYaw);
    orientation_.ClearRotated();
    // The quaternion follows the angles now, so that a drag before the next frame starts here.
    (void)orientation_.OrientationMatrix(angles);
    BuildSceneList();
}

void frmMain::SetProjection(int projectType) {
    view_.SetProjectType(projectType);
    orthoAction_->setChecked(projectType == kProjectOrtho);
    perspectiveAction_->setChecked(projectType == kProjectPerspective);
    Display();
}

std::shared_ptr<CGraph> frmMain::SelectedShownGraph() {
    const std::optional<std::size_t> k = SelectedEntry();
    if (document_.ShownGraphs().Count() == 0 || !k || !document_.IsShown(*k)) return nullptr;
    return document_.ShownGraphs().Item(CScene::KeyOf(*document_.Graph(*k)));
}

void frmMain::SetModel(std::int32_t show) {
    const std::shared_ptr<CGraph> g = SelectedShownGraph();
    if (!g) {
        ShowMessage(this, Message("Select a function first.", "Warning"));
        return;
    }
    g->SetShow(show);
    MarkChanged();
    BuildSceneList();
}

void frmMain::SetSmoothness(std::int32_t smoothness) {
    const std::shared_ptr<CGraph> g = SelectedShownGraph();
    if (!g) {
        ShowMessage(this, Message("Select a function first.", "Warning"));
        return;
    }
    g->SetSmoothness(smoothness);
    MarkChanged();
    BuildSceneList();
}

// --- the graph list -----------------------------------------------------------------------

std::optional<std::size_t> frmMain::SelectedEntry() const {
    const int row = List1_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= document_.Count()) return std::nullopt;
    return static_cast<std::size_t>(row);
}

void frmMain::RefreshList() {
    listUpdating_ = true;
    const int row = List1_->currentRow();
    List1_->clear();
    for (std::size_t i = 0; i < document_.Count(); ++i) {
        auto* item = new QListWidgetItem(FromStd(document_.Label(i)), List1_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(document_.IsShown(i) ? Qt::Checked : Qt::Unchecked);
        const std::shared_ptr<CGraph> g = document_.Graph(i);
        if (g && !g->LastError().empty()) item->setToolTip("Not drawn: " + FromStd(g->LastError()));
    }
    if (row >= 0 && row < List1_->count()) List1_->setCurrentRow(row);
    listUpdating_ = false;
}

void frmMain::PushChange(const QString& text, const DocumentListState& before, EditedGraph edited) {
    const DocumentListState after = document_.ListState();
    if (after == before && !edited.Graph) return;
    // The stack owns the command.
    undoStack_->push(new DocumentChange(
        document_, text, before, after, [this] { ShowDocumentAgain(); }, std::move(edited)));
}

void frmMain::ShowDocumentAgain() {
    RefreshList();
    ViewButtonsForSceneKind();
    BuildSceneList();
    Display();
}

void frmMain::List1_ItemChanged() {
    if (listUpdating_) return;
    const DocumentListState before = document_.ListState();
    std::vector<std::string> warnings;
    for (int i = 0; i < List1_->count(); ++i) {
        const bool checked = List1_->item(i)->checkState() == Qt::Checked;
        DocumentResult r = document_.SetShown(static_cast<std::size_t>(i), checked);
        warnings.insert(warnings.end(), r.Warnings.begin(), r.Warnings.end());
    }
    ShowWarnings(warnings);
    PushChange("Check", before);
    BuildSceneList();
}

void frmMain::ShowWarnings(const std::vector<std::string>& warnings) {
    for (const std::string& w : warnings)
        Result_->appendPlainText(FromStd(w));
}

void frmMain::ShowResultFailure(const DocumentResult& result) {
    if (result.State == DocumentResult::Status::Failed)
        ShowMessage(this, Message(FromStd(result.Message), "Error"));
}

void frmMain::SetDocumentFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    setWindowTitle(name.isEmpty() ? QString("Tervane[*]") : name + "[*] - Tervane");
    // The file holds the graphs as they are now.
    undoStack_->setClean();
    changedBesideHistory_ = false;
    RefreshModified();
}

void frmMain::RefreshModified() {
    // Undo back to the state opened or saved is no change (unless the history has dropped
    // that state, or a change was made beside it).
    setWindowModified(changedBesideHistory_ || !undoStack_->isClean());
}

void frmMain::MarkChanged() {
    changedBesideHistory_ = true;
    RefreshModified();
}

void frmMain::DeleteGraph(int k) {
    if (document_.Count() == 0 || k < 1) return;
    const DocumentListState before = document_.ListState();
    document_.DeleteGraph(static_cast<std::size_t>(k - 1));
    PushChange("Delete", before);
    RefreshList();
    BuildSceneList();
}

void frmMain::DeleteAllGraphs() {
    const DocumentListState before = document_.ListState();
    document_.DeleteAllGraphs();
    PushChange("Delete All", before);
    RefreshList();
    BuildSceneList();
}

void frmMain::DeleteSelected() {
    if (const std::optional<std::size_t> k = SelectedEntry()) DeleteGraph(static_cast<int>(*k) + 1);
}

// --- clipboard and printing ---------------------------------------------------------------

void frmMain::CopyGraph() {
    const std::optional<std::size_t> k = SelectedEntry();
    if (!k) return;
    const DocumentResult r = document_.CopyGraph(*k);
    ShowResultFailure(r);
    if (r.Ok()) QApplication::clipboard()->setText(FromStd(r.Data));
}

void frmMain::CutGraph() {
    const std::optional<std::size_t> k = SelectedEntry();
    if (!k) return;
    const DocumentResult r = document_.CopyGraph(*k);
    ShowResultFailure(r);
    if (!r.Ok()) return;
    QApplication::clipboard()->setText(FromStd(r.Data));
    DeleteGraph(static_cast<int>(*k) + 1);
}

void frmMain::PasteGraph() {
    Document::PendingPaste paste;
    const DocumentResult r = document_.ReadPaste(QApplication::clipboard()->text().toStdString(),
                                                 SelectedEntry(), paste);
    ShowResultFailure(r);
    if (!r.Ok()) return;
    std::uint64_t points = 0;
    for (const auto& g : paste.Graphs)
        points += GridPoints(*g);
    // A large grid is sampled in the worker, with the progress bar and Cancel, as the dialogs'
    // are; the window stays responsive meanwhile.
    const std::int32_t kind = paste.Graphs.front()->GraphType();
    if (points < backgroundPoints_ || paste.Graphs.size() != 1 ||
        (kind != kGraphSurface && kind != kGraphColorMap)) {
        FinishPaste(std::move(paste), false);
        return;
    }
    if (sampler_->Running()) {
        ShowMessage(this, Message("A graph is still being sampled. Paste again when it is done, "
                                  "or cancel it first.",
                                  "Note"));
        return;
    }
    const std::shared_ptr<CGraph> graph = paste.Graphs.front();
    sampler_->Start(graph, document_.Sampling(),
                    [this, paste = std::move(paste)](std::shared_ptr<CGraph>, bool) mutable {
                        FinishPaste(std::move(paste), true);
                    });
}

void frmMain::FinishPaste(Document::PendingPaste paste, bool sampled) {
    std::uint64_t points = 0;
    for (const auto& g : paste.Graphs)
        points += GridPoints(*g);
    const DocumentListState before = document_.ListState();
    const DocumentResult r = document_.CommitPaste(std::move(paste), sampled);
    ShowResultFailure(r);
    if (!r.Ok()) return;
    PushChange("Paste", before);
    ShowWarnings(r.Warnings);
    RefreshList();
    // Before any request to the view (see AfterGraphDialog).
    NoteDrawing(points);
    ViewButtonsForSceneKind();
    ZoomToFit();
    BuildSceneList();
}

void frmMain::CopyAsBitmap() {
    QApplication::clipboard()->setImage(picDraw_->grabFramebuffer());
}

void frmMain::PrintView() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        ShowMessage(this, Message("No printer is installed.", "Note"));
        return;
    }
    QPrinter printer(info);
    if (!PrintTo(printer))
        ShowMessage(this,
                    Message("The printer " + info.printerName() + " cannot be used.", "Note"));
}

bool frmMain::PrintTo(QPrinter& printer) {
    // The picture as the view shows it now, kept in memory: no file passes between the frame
    // buffer and the page.
    const QImage picture = picDraw_->grabFramebuffer();
    QPainter painter(&printer);
    if (!painter.isActive()) return false;
    // Drawn from the top left corner of the page, as large as the page allows.
    const QRect page = painter.viewport();
    const QSize size = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(page.topLeft(), size), picture);
    return painter.end();
}

bool frmMain::SaveViewPicture(const QString& path) {
    // A frame drawn now is what the bitmap holds; it is read back from the view's frame buffer.
    (void)picDraw_->grabFramebuffer();
    const QSize size = picDraw_->DeviceSize();
    picDraw_->makeCurrent();
    const bool ok = SaveViewBitmap(ToPath(path), BitmapCaptureWidth(size.width()), size.height());
    picDraw_->doneCurrent();
    return ok;
}

// --- documents ----------------------------------------------------------------------------

bool frmMain::LoadDocument(const QString& path) {
    if (path.isEmpty()) return false;
    auto load = std::make_shared<Document::PendingLoad>();
    const DocumentResult r = document_.ReadFile(ToPath(path), *load);
    if (r.State == DocumentResult::Status::Failed) {
        ShowMessage(this, Message(FromStd(r.Message), "Error"));
        return false;
    }
    if (!r.Ok()) return false;
    sampler_->Cancel();
    if (load->Points < backgroundPoints_) {
        Document::SampleLoad(*load);
        FinishLoad(std::move(*load), path);
        return true;
    }
    // Large grids are sampled in the worker, with the progress bar and Cancel; the document
    // shown stays as it is until the new one is ready.
    const int changesBefore = undoStack_->index();
    sampler_->StartJob(
        [load] {
            Document::SampleLoad(*load);
            return true;
        },
        [this, load, path, changesBefore](bool) { CommitOpened(load, path, changesBefore); });
    statusPanel_->setText("Opening " + QFileInfo(path).fileName() + "...");
    return true;
}

void frmMain::CommitOpened(const std::shared_ptr<Document::PendingLoad>& load, const QString& path,
                           int changesBefore) {
    // A dialog still open works on the document shown: the new one waits until it is closed.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(100, this, [this, load, path, changesBefore] {
            CommitOpened(load, path, changesBefore);
        });
        return;
    }
    // A change made while the file was read would be lost: ask as Open did.
    if (undoStack_->index() != changesBefore && !AskSaveBeforeOpen()) return;
    FinishLoad(std::move(*load), path);
}

void frmMain::FinishLoad(Document::PendingLoad load, const QString& path) {
    NoteDrawing(load.Points);
    const DocumentResult r = document_.CommitLoad(std::move(load));
    undoStack_->clear(); // another document: the history of the last one does not apply
    SetDocumentFile(path);
    StopAnimation();
    document_.SetAnimationStep(1);
    shownStep_ = 1;
    editRequest_ = false;
    SetDragMode(DragMode::None);
    orientation_.ClearRotated();
    const CScene& shown = document_.ShownGraphs();
    (void)orientation_.OrientationMatrix(
        SceneAngles{shown.RotRoll(), shown.RotPitch(), shown.RotYaw()});
    Result_->clear();
    ShowWarnings(r.Warnings);
    // Two-dimensional functions name themselves in the result box ("Function y=...").
    for (std::size_t i = 0; i < document_.Count(); ++i) {
        const std::string caption = ResultCaption(*document_.Graph(i));
        if (!caption.empty()) Result_->appendPlainText(FromStd(caption));
    }
    RefreshList();
    if (List1_->count() > 0) List1_->setCurrentRow(0);
    ViewButtonsForSceneKind();
    picDraw_->RequestZoomToFit();
    BuildSceneList();
    AddRecentFile(QFileInfo(path).absoluteFilePath());
}

bool frmMain::AskSaveBeforeOpen() {
    if (document_.ShownGraphs().Count() == 0) return true;
    const QMessageBox::StandardButton answer =
        ShowMessage(this, Message(kSavePrompt, "Note", QMessageBox::Warning,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
    if (answer == QMessageBox::Cancel) return false;
    if (answer == QMessageBox::Yes) return SaveFlow();
    return true;
}

void frmMain::OpenFlow() {
    if (!AskSaveBeforeOpen()) return;
    const QString name =
        AskFileName(this, FileRequest{FileRequest::Purpose::Open, "Open File", kDocumentFilter});
    LoadDocument(name);
}

bool frmMain::SaveFlow(const QString& caption) {
    if (document_.Count() == 0) return true;
    const QString name =
        AskFileName(this, FileRequest{FileRequest::Purpose::Save, caption, kDocumentFilter});
    if (name.isEmpty()) return false;
    return SaveDocumentAs(name);
}

bool frmMain::SaveDocumentAs(QString name) {
    // Unchecked graphs are not written: say so first, so that nothing is dropped unawares.
    if (const std::optional<std::string> note = document_.HiddenGraphsNote()) {
        const QMessageBox::StandardButton answer =
            ShowMessage(this, Message(FromStd(*note), "Note", QMessageBox::Warning,
                                      QMessageBox::Yes | QMessageBox::Cancel));
        if (answer != QMessageBox::Yes) return false;
    }
    if (QFileInfo(name).suffix().isEmpty()) name += ".kpl";
    const DocumentResult r = document_.SaveFile(ToPath(name));
    if (!r.Ok()) {
        ShowMessage(this, Message(FromStd(r.Message), "Error"));
        return false;
    }
    ShowWarnings(r.Warnings);
    SetDocumentFile(name);
    AddRecentFile(QFileInfo(name).absoluteFilePath());
    RefreshAssociation(QCoreApplication::applicationFilePath(), ShippedPath("tervane.svg"));
    return true;
}

void frmMain::SaveAsFlow() {
    Display();
    if (document_.Count() == 0) {
        // Without graphs there is no document to write, but the picture can still be saved.
        const FileChoice choice = AskFileChoice(
            this, FileRequest{FileRequest::Purpose::Save, "Save As", "Bitmap pictures (*.bmp)"});
        if (!choice.Name.isEmpty() && !SaveViewPicture(choice.Name))
            ShowMessage(this,
                        Message("The picture cannot be written to " + choice.Name + ".", "Error"));
        return;
    }
    const FileChoice choice =
        AskFileChoice(this, FileRequest{FileRequest::Purpose::Save, "Save As", kSaveAsFilter});
    if (choice.Name.isEmpty()) return;
    if (choice.FilterIndex == 2) {
        // The name is used as chosen: no extension is added.
        if (!SaveViewPicture(choice.Name))
            ShowMessage(this,
                        Message("The picture cannot be written to " + choice.Name + ".", "Error"));
        return;
    }
    SaveDocumentAs(choice.Name);
}

void frmMain::OpenDemo(const QString& fileName) {
    // A demo replaces the document like Open does, so it asks the same question first.
    if (!AskSaveBeforeOpen()) return;
    LoadDocument(samplesFolder_ + "/" + fileName);
}

void frmMain::OpenHelpPage(const QString& page) {
    // A missing page, a launcher that cannot run and one that finds no browser are all said.
    OpenHelpFile(ShippedPath("help/" + page), this, [this](const QString& failure) {
        if (!failure.isEmpty()) ShowMessage(this, Message(failure, "Note"));
    });
}

void frmMain::About() {
    frmAbout about(this);
    about.exec();
}

// --- property dialogs ---------------------------------------------------------------------

void frmMain::ViewSettings() {
    frmViewSetting dialog(view_, document_, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    // A refused OK has already set the projection it chose: the toolbar shows the camera's
    // projection whatever came of the dialog.
    SetProjection(view_.ProjectType());
    if (!accepted) return;
    // "Clip spikes" may have changed the boxes.
    BuildSceneList();
    ZoomToFit();
}

void frmMain::AxisDialog() {
    bool applied = false;
    if (document_.SceneKind() == 1 || document_.SceneKind() == 4) {
        frmAxisStyle dialog(document_.Axes(), this);
        applied = dialog.exec() == QDialog::Accepted;
    } else {
        frmAxis dialog(document_, this);
        // " Show Axis" and the colours act at once, whatever button closes the dialog.
        connect(&dialog, &frmAxis::AxesChanged, this, &frmMain::BuildSceneList);
        applied = dialog.exec() == QDialog::Accepted;
    }
    if (applied) BuildSceneList();
    Display();
}

void frmMain::LightDialog() {
    frmLight dialog(light_, this);
    dialog.exec();
    Display();
}

void frmMain::AnimationOptions() {
    const std::int32_t frames = document_.AnimationFrames();
    frmAnimation dialog(document_, this);
    if (dialog.exec() == QDialog::Accepted) {
        // More frames are more pictures of every animated graph: they must fit first.
        const std::int64_t more = -document_.AnimationMemoryChange(frames);
        if (more > 0) {
            if (const auto refusal = document_.MemoryRefusal(static_cast<std::uint64_t>(more))) {
                document_.SetAnimationFrames(frames);
                ShowMessage(this, Message(FromStd(*refusal), "Error"));
                Display();
                return;
            }
        }
        Timer1_->setInterval(AnimationClock::IntervalMs(document_.AnimationSpeed()));
        // The frame count decides how many lists the scene compiles.
        BuildSceneList();
        ShowFrame();
    }
    Display();
}

// --- animation ----------------------------------------------------------------------------

void frmMain::Play(AnimationClock::Mode mode) {
    if (!document_.ShownGraphs().Animation()) {
        ShowMessage(this, Message("No shown graph is animated.", "Note"));
        return;
    }
    std::int32_t step = clock_.Start(mode, document_.AnimationStep(), document_.AnimationFrames());
    document_.SetAnimationStep(step);
    shownStep_ = std::clamp(step, 0, document_.AnimationFrames() + 1);
    Timer1_->setInterval(AnimationClock::IntervalMs(document_.AnimationSpeed()));
    Timer1_->start();
    ShowFrame();
    Display();
}

void frmMain::StopAnimation() {
    clock_.Stop();
    Timer1_->stop();
    ShowFrame();
}

void frmMain::Timer1_Timer() {
    if (!document_.ShownGraphs().Animation()) {
        StopAnimation();
        return;
    }
    std::int32_t step = document_.AnimationStep();
    shownStep_ = clock_.Tick(step, document_.AnimationFrames());
    document_.SetAnimationStep(step);
    if (!clock_.Running()) Timer1_->stop();
    ShowFrame();
    Display();
}

void frmMain::ShowFrame() {
    if (!frameLabel_) return;
    if (!document_.ShownGraphs().Animation()) {
        frameLabel_->clear();
        return;
    }
    const std::int32_t frames = document_.AnimationFrames();
    frameLabel_->setText(
        QString("Frame %1 / %2").arg(std::clamp(shownStep_ - 1, 0, frames)).arg(frames));
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (document_.Count() > 0) {
        const QMessageBox::StandardButton answer =
            ShowMessage(this, Message(kSavePrompt, "Note", QMessageBox::Warning,
                                      QMessageBox::Yes | QMessageBox::No));
        // A save that was cancelled or failed keeps the window open: closing would lose the
        // graphs the user just asked to keep.
        if (answer == QMessageBox::Yes && !SaveFlow()) {
            event->ignore();
            return;
        }
    }
    sampler_->Cancel();
    SaveSettings();
    event->accept();
}

void frmMain::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (std::any_of(urls.begin(), urls.end(), IsDocumentFile)) event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!IsDocumentFile(url)) continue;
        event->acceptProposedAction();
        if (AskSaveBeforeOpen()) LoadDocument(url.toLocalFile());
        return;
    }
}

// --- graph dialogs ------------------------------------------------------------------------

void frmMain::Draw3DGraph() {
    Result_->clear();
    editRequest_ = false;
    RunGraphDialog(nullptr, nullptr, false);
}

void frmMain::DrawColorMap() {
    light_.SetPosition(0, 0.0f);
    light_.SetPosition(1, 0.0f);
    editRequest_ = false;
    RunGraphDialog(nullptr, nullptr, true);
}

void frmMain::EditGraph() {
    const std::optional<std::size_t> k = SelectedEntry();
    if (!k) return;
    const std::shared_ptr<CGraph> g = document_.Graph(*k);
    if (g->GraphType() != kGraphSurface && g->GraphType() != kGraphColorMap) {
        ShowMessage(this, Message("Only 3D graphs and color maps can be edited.", "Note"));
        return;
    }
    editRequest_ = true;
    RunGraphDialog(nullptr, g.get(), g->GraphType() == kGraphColorMap);
}

void frmMain::RunGraphDialog(const DialogInput* refill, const CGraph* fillFrom, bool colorMap,
                             const DialogMessage* message) {
    const GraphTarget target{editRequest_, SelectedEntry()};
    const std::size_t countBefore = document_.Count();
    const bool replaces = target.Replaces(document_);
    // What undo needs: the list, and a copy of the graph an edit changes in place.
    const DocumentListState before = document_.ListState();
    EditedGraph edited;
    if (replaces) {
        edited.Graph = document_.Graph(*target.Selected);
        edited.Before = std::make_shared<CGraph>(*edited.Graph);
    }
    const auto run = [&](auto& dialog) {
        dialog.SetBackgroundThreshold(backgroundPoints_);
        if (fillFrom) dialog.FillFrom(*fillFrom);
        if (refill) dialog.SetInput(std::get<std::decay_t<decltype(dialog.Input())>>(*refill));
        if (message) QTimer::singleShot(0, &dialog, [&dialog, m = *message] { dialog.Refuse(m); });
        const bool accepted = dialog.exec() == QDialog::Accepted;
        return std::tuple(accepted, dialog.Pending(), DialogInput(dialog.Input()));
    };
    bool accepted = false;
    std::optional<PendingGraph> pending;
    DialogInput input;
    if (colorMap) {
        frmColorMap dialog(document_, target, this);
        std::tie(accepted, pending, input) = run(dialog);
    } else {
        frmGraph3D dialog(document_, target, this);
        std::tie(accepted, pending, input) = run(dialog);
    }
    if (!accepted) {
        // EditRequest stays as it was; the view shows the current state again.
        Display();
        return;
    }
    editRequest_ = false;
    if (pending) {
        SampleInBackground(*pending, input, colorMap);
        return;
    }
    if (replaces) {
        edited.After = std::make_shared<CGraph>(*edited.Graph);
        PushChange("Edit", before, std::move(edited));
    } else {
        PushChange("Add", before);
    }
    AfterGraphDialog(countBefore, replaces);
}

void frmMain::AfterGraphDialog(std::size_t countBefore, bool replaced) {
    const bool added = document_.Count() > countBefore;
    RefreshList();
    if (added) List1_->setCurrentRow(List1_->count() - 1);
    // The note repaints the window at once, and with it the view: before the fit and the
    // build are asked for, or the view would be framed on the box it showed before.
    if (const std::optional<std::size_t> k = SelectedEntry(); k && (added || replaced))
        NoteDrawing(GridPoints(*document_.Graph(*k)));
    ViewButtonsForSceneKind();
    // A new or changed graph may reach beyond the picture: the view frames the shown graphs
    // (every step of an animation) again.
    if (added || replaced) ZoomToFit();
    if (added || replaced) BuildSceneList();
}

void frmMain::SampleInBackground(const PendingGraph& pending, DialogInput input, bool colorMap) {
    const bool edit = pending.Target.Replaces(document_);
    std::weak_ptr<CGraph> edited;
    if (edit) edited = document_.Graph(*pending.Target.Selected);
    // The grids and every picture of the new graph must fit before sampling starts (an edited
    // graph gives back what the old one took).
    if (const std::optional<std::string> refusal =
            document_.GraphRefusal(*pending.ToSample, edited.lock().get())) {
        const DialogMessage message{*refusal, "Error", DialogMessage::Icon::Warning,
                                    DialogField::StepsX, -1};
        editRequest_ = pending.Target.EditRequest;
        QTimer::singleShot(0, this, [this, input, colorMap, message] {
            RunGraphDialog(&input, nullptr, colorMap, &message);
        });
        return;
    }
    ViewButtonsForSceneKind();
    sampler_->Start(
        pending.ToSample, document_.Sampling(),
        [this, pending, input, colorMap, edit, edited](std::shared_ptr<CGraph> graph, bool ok) {
            if (!ok) {
                // The dialog opens again with its texts and the message, as if OK had failed.
                const DialogMessage message = SamplingFailureMessage(*graph);
                editRequest_ = pending.Target.EditRequest;
                if (edited.lock()) {
                    for (std::size_t i = 0; i < document_.Count(); ++i)
                        if (document_.Graph(i) == edited.lock())
                            List1_->setCurrentRow(static_cast<int>(i));
                }
                QTimer::singleShot(0, this, [this, input, colorMap, message] {
                    RunGraphDialog(&input, nullptr, colorMap, &message);
                });
                return;
            }
            PendingGraph p = pending;
            if (edit) {
                // The edited graph may have moved or gone while it was sampled.
                const std::shared_ptr<CGraph> target = edited.lock();
                std::optional<std::size_t> index;
                for (std::size_t i = 0; target && i < document_.Count(); ++i)
                    if (document_.Graph(i) == target) index = i;
                if (!index) return;
                p.Target.Selected = index;
            }
            const std::size_t countBefore = document_.Count();
            const bool replaces = p.Target.Replaces(document_);
            const DocumentListState before = document_.ListState();
            EditedGraph change;
            if (replaces) {
                change.Graph = document_.Graph(*p.Target.Selected);
                change.Before = std::make_shared<CGraph>(*change.Graph);
            }
            ShowResultFailure(CommitSampledGraph(document_, p.Prepared, p.Target, graph));
            if (replaces) change.After = std::make_shared<CGraph>(*change.Graph);
            PushChange(replaces ? "Edit" : "Add", before, std::move(change));
            AfterGraphDialog(countBefore, replaces);
        });
}

// --- recent files and settings ------------------------------------------------------------

void frmMain::AddRecentFile(const QString& path) {
    QSettings settings;
    QStringList files = settings.value("RecentFiles").toStringList();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentFiles)
        files.removeLast();
    settings.setValue("RecentFiles", files);
    RefreshRecentMenu();
}

void frmMain::RefreshRecentMenu() {
    recentMenu_->clear();
    const QStringList files = QSettings().value("RecentFiles").toStringList();
    int n = 0;
    for (const QString& path : files) {
        QAction* a =
            recentMenu_->addAction(QString("&%1  %2").arg(++n).arg(QFileInfo(path).fileName()));
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] {
            if (AskSaveBeforeOpen()) LoadDocument(path);
        });
    }
    recentMenu_->setEnabled(!files.isEmpty());
}

void frmMain::RestoreSettings() {
    QSettings settings;
    if (settings.contains("Window/Geometry"))
        restoreGeometry(settings.value("Window/Geometry").toByteArray());
    if (settings.contains("Window/Splitter"))
        Splitter_->restoreState(settings.value("Window/Splitter").toByteArray());
    if (settings.contains("Window/Splitter2"))
        Splitter2_->restoreState(settings.value("Window/Splitter2").toByteArray());
}

void frmMain::SaveSettings() {
    QSettings settings;
    settings.setValue("Window/Geometry", saveGeometry());
    settings.setValue("Window/Splitter", Splitter_->saveState());
    settings.setValue("Window/Splitter2", Splitter2_->saveState());
}

} // namespace tervane
