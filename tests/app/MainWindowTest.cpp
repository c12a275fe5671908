// Flows of the main window: making, editing, showing and deleting graphs, the view commands,
// documents, and the status texts, all through the window's widgets.
#include "app/AppTestSupport.h"

#include "dialogs/frmViewSetting.h"
#include "document/KplFormat.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QOpenGLWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSettings>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>

#include <fstream>
#include <iterator>

namespace tervane::testing {
namespace {

std::string Bytes(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(MainWindowTest, WindowHasItsControlsAndCaptions) {
    EXPECT_EQ(window->windowHandle()->title(), "Tervane");
    for (const char* name : {"picDraw", "List1", "Result", "Splitter", "Splitter2", "Toolbar1",
                             "Toolbar2", "Toolbar3", "StatusBar1", "FunEdit", "GraphEdit"})
        EXPECT_TRUE(window->findChild<QObject*>(name)) << name;
    EXPECT_EQ(Action("mnuFileSaveAs")->text().remove('&'), "SaveAs...");
    EXPECT_TRUE(Action("mnuFileSep3")->isSeparator());
    EXPECT_EQ(Action("mnuDemo3DPow3")->text().remove('&'), "Z^2  X-Y-M");
    EXPECT_EQ(Action("varDel")->toolTip(), "Delete Selected Graph");
    EXPECT_EQ(Action("barTrackBall")->statusTip(), "Rotate the scene");
    EXPECT_EQ(Action("mnuFileOpen")->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(window->toolBarArea(window->findChild<QToolBar*>("Toolbar3")), Qt::RightToolBarArea);
    EXPECT_FALSE(Action("barOpen")->icon().isNull());
}

TEST_F(MainWindowTest, StatusPanelShowsTheButtonUnderTheMouse) {
    auto* panel = window->findChild<QLabel*>("StatusPanel1");
    auto* bar = window->findChild<QToolBar*>("Toolbar2");
    QWidget* axis = bar->widgetForAction(Action("barCoord"));
    QStatusTipEvent enter(axis->statusTip());
    QApplication::sendEvent(axis, &enter);
    EXPECT_EQ(panel->text(), "Axis");
    QStatusTipEvent leave(QString{});
    QApplication::sendEvent(axis, &leave);
    EXPECT_EQ(panel->text(), "Ready");
}

TEST_F(MainWindowTest, ThreeDGraphThroughTheDialog) {
    WithDialog("mnuDraw3DCart", [](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("Text2")->setText("z^2");
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(List()->item(0)->text(), "3D Surface  w=z^2");
    EXPECT_EQ(List()->item(0)->checkState(), Qt::Checked);
    const CGraph& g = *window->Doc().Graph(0);
    EXPECT_EQ(g.ID(), 1);
    EXPECT_EQ(g.StepU(), 40);
    EXPECT_EQ(window->Doc().ShownGraphs().Count(), 1u);
    EXPECT_TRUE(Action("barTrackBall")->isEnabled());
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(MainWindowTest, ColorMapSwitchesTheViewButtonsAndBack) {
    MakeGraph("mnuDrawColor", "exp(z)");
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(window->Doc().SceneKind(), 7);
    for (const char* off : {"barViewFront", "barViewOrtho", "barRotX", "barTrackBall",
                            "barModelPoint", "bar3DSmoothest"})
        EXPECT_FALSE(Action(off)->isEnabled()) << off;
    for (const char* on : {"barMove", "barZoom", "barZoomAll"})
        EXPECT_TRUE(Action(on)->isEnabled()) << on;
    MakeGraph("mnuDraw3DCart", "z");
    EXPECT_TRUE(Action("barViewFront")->isEnabled());
}

TEST_F(MainWindowTest, EditOpensTheDialogOfTheGraphFilledFromIt) {
    MakeGraph("mnuDraw3DCart", "z^2");
    List()->setCurrentRow(0);
    QString shownFunction;
    WithDialog("mnuFunEdit", [&shownFunction](QWidget* dialog) {
        auto* box = dialog->findChild<QLineEdit*>("Text2");
        shownFunction = box->text();
        box->setText("sin(z)");
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
    EXPECT_EQ(shownFunction, "z^2");
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(List()->item(0)->text(), "3D Surface  w=sin(z)");
    EXPECT_EQ(window->Doc().Graph(0)->ID(), 1);
    EXPECT_FALSE(window->EditRequest());

    // Cancel after "Edit..." leaves EditRequest set.
    WithDialog("mnuFunEdit", [](QWidget* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    });
    EXPECT_TRUE(window->EditRequest());
}

// Edit > Undo and Redo step back and forth through add, edit, check, delete and paste; the
// graphs come back as they were, grids included, and keep their IDs.
TEST_F(MainWindowTest, UndoAndRedoStepThroughEveryChangeOfTheGraphs) {
    const auto functions = [this] {
        std::vector<std::string> f;
        for (std::size_t i = 0; i < window->Doc().Count(); ++i)
            f.push_back(window->Doc().Graph(i)->ExpressZ() +
                        (window->Doc().IsShown(i) ? "" : " hidden"));
        return f;
    };
    using F = std::vector<std::string>;
    MakeGraph("mnuDraw3DCart", "z");
    MakeGraph("mnuDraw3DCart", "z^2");
    List()->setCurrentRow(1);
    WithDialog("mnuFunEdit", [](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("Text2")->setText("sin(z)");
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
    List()->item(0)->setCheckState(Qt::Unchecked);
    List()->setCurrentRow(1);
    Action("mnuEditCopy")->trigger();
    Action("mnuEditPaste")->trigger();
    Action("mnuEditDelAll")->trigger();
    EXPECT_EQ(Action("mnuEditUndo")->text().remove('&'), "Undo Delete All");
    const std::vector<F> back = {{"z hidden", "sin(z)", "sin(z)"},
                                 {"z hidden", "sin(z)"},
                                 {"z", "sin(z)"},
                                 {"z", "z^2"},
                                 {"z"},
                                 {}};
    for (const F& expected : back) {
        Action("mnuEditUndo")->trigger();
        EXPECT_EQ(functions(), expected);
        EXPECT_EQ(static_cast<std::size_t>(List()->count()), expected.size());
    }
    EXPECT_FALSE(Action("mnuEditUndo")->isEnabled());
    for (int k = 0; k < 3; ++k)
        Action("mnuEditRedo")->trigger();
    EXPECT_EQ(functions(), (F{"z", "sin(z)"}));
    // The edited graph is drawn from its grids again, sampled for sin(z).
    const CGraph& edited = *window->Doc().Graph(1);
    EXPECT_EQ(edited.RealPart().Count(), 9u * 9u);
    EXPECT_EQ(window->Doc().Graph(1)->ID(), 2);
    // A new change drops what could be redone.
    List()->setCurrentRow(0);
    Action("mnuEditDelete")->trigger();
    EXPECT_EQ(functions(), (F{"sin(z)"}));
    EXPECT_FALSE(Action("mnuEditRedo")->isEnabled());
}

TEST_F(MainWindowTest, UncheckAndCheckMoveTheGraphToTheEndOfTheShownOnes) {
    MakeGraph("mnuDraw3DCart", "z");
    MakeGraph("mnuDraw3DCart", "z^2");
    List()->item(0)->setCheckState(Qt::Unchecked);
    const CScene& shown = window->Doc().ShownGraphs();
    ASSERT_EQ(shown.Count(), 1u);
    EXPECT_EQ(shown.FunSurfs()[0]->ID(), 2);
    List()->item(0)->setCheckState(Qt::Checked);
    ASSERT_EQ(shown.Count(), 2u);
    EXPECT_EQ(shown.FunSurfs()[0]->ID(), 2);
    EXPECT_EQ(shown.FunSurfs()[1]->ID(), 1);
}

TEST_F(MainWindowTest, DeleteAndDeleteAll) {
    MakeGraph("mnuDraw3DCart", "z");
    MakeGraph("mnuDraw3DCart", "z^2");
    List()->setCurrentRow(0);
    Action("mnuEditDelete")->trigger();
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(List()->item(0)->text(), "3D Surface  w=z^2");
    EXPECT_EQ(window->Doc().ShownGraphs().Count(), 1u);
    Action("mnuEditDelAll")->trigger();
    EXPECT_EQ(List()->count(), 0);
    EXPECT_EQ(window->Doc().ShownGraphs().Count(), 0u);
    MakeGraph("mnuDraw3DCart", "z");
    EXPECT_EQ(window->Doc().Graph(0)->ID(), 1);
}

TEST_F(MainWindowTest, ModelButtonsNeedASelectedShownGraph) {
    MakeGraph("mnuDraw3DCart", "z");
    List()->setCurrentRow(-1);
    Action("barModelGrid")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].Text, "Select a function first.");
    EXPECT_EQ(prompts.shown[0].Caption, "Warning");
    List()->setCurrentRow(0);
    Action("barModelGrid")->trigger();
    Action("bar3DFlat")->trigger();
    EXPECT_EQ(window->Doc().Graph(0)->Show(), kShowGrid);
    EXPECT_EQ(window->Doc().Graph(0)->Smoothness(), kSmoothFlat);
    EXPECT_EQ(prompts.shown.size(), 1u);
}

TEST_F(MainWindowTest, StandardViewsSetTheOrientation) {
    MakeGraph("mnuDraw3DCart", "z");
    const struct {
        const char* command;
        SceneAngles angles;
    } views[] = {{"mnuViewRight", {0, 0, 90}},
                 {"barViewTop", {0, -90, 0}},
                 {"mnuViewISO", {0, -15, 45}},
                 {"barViewFront", {0, 0, 0}}};
    for (const auto& v : views) {
        SCOPED_TRACE(v.command);
        Action(v.command)->trigger();
        const CScene& shown = window->Doc().ShownGraphs();
        EXPECT_EQ((SceneAngles{shown.RotRoll(), shown.RotPitch(), shown.RotYaw()}), v.angles);
        EXPECT_FALSE(window->Orientation().Rotated());
        const Quat expected = QuatFromSceneAngles(v.angles);
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(window->Orientation().CurQuat()[i], expected[i], 1e-6f);
    }
}

TEST_F(MainWindowTest, DemoEntryOpensItsDocument) {
    Action("mnuDemoCMExp")->trigger();
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(window->Doc().SceneKind(), 7);
    EXPECT_FALSE(Action("barViewISO")->isEnabled());
    EXPECT_TRUE(prompts.shown.empty());
    // Over shown graphs a demo asks to save them first, as Open does: Cancel keeps them.
    prompts.answers = {QMessageBox::Cancel};
    Action("mnuDemo3DSin2")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].Text, "Do you want to save the graphs?");
    EXPECT_EQ(window->Doc().SceneKind(), 7);
    prompts.answers = {QMessageBox::No};
    Action("mnuDemo3DSin2")->trigger();
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(window->Doc().Graph(0)->ExpressZ(), "sin(z)");
    EXPECT_TRUE(Action("barViewISO")->isEnabled());
}

// An OK refused for a bad interval has set the projection it chose already; after Cancel the
// toolbar shows the camera's projection.
TEST_F(MainWindowTest, ProjectionButtonsFollowTheCameraAfterARefusedViewSetting) {
    MakeGraph("mnuDraw3DCart", "z");
    WithDialog("mnuViewSet", [](QWidget* dialog) {
        dialog->findChild<QRadioButton*>("Option2")->setChecked(true);
        dialog->findChild<QLineEdit*>("Text1")->setText("abc");
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    });
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].Text, "Illegal data exist.");
    EXPECT_EQ(window->Camera().ProjectType(), kProjectPerspective);
    EXPECT_TRUE(Action("barViewPer")->isChecked());
    EXPECT_FALSE(Action("barViewOrtho")->isChecked());
}

// With 2 MB left, a pasted 3001 x 3001 grid and 1000 frames of an animated graph are refused
// with the need and what is free, before anything is sampled; the document stays as it was.
TEST_F(MainWindowTest, MemoryIsCheckedBeforePasteAndMoreFrames) {
    MakeGraph("mnuDraw3DCart", "z*t");
    window->Doc().Graph(0)->SetAnimation(true);
    window->Doc().SetSampling(SamplingOptions{0, 2 * 1024 * 1024});
    List()->setCurrentRow(0);
    Action("mnuEditCopy")->trigger();
    QString text = QApplication::clipboard()->text();
    ASSERT_TRUE(text.contains(" z*t 8 8 ")) << text.toStdString();
    QApplication::clipboard()->setText(text.replace(" z*t 8 8 ", " z*t 3000 3000 "));
    Action("mnuEditPaste")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].Text.startsWith("This needs about "));
    EXPECT_TRUE(prompts.shown[0].Text.contains("but only 2 MB is free"));
    EXPECT_EQ(List()->count(), 1);

    WithDialog("mnuAnimOptions", [](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("Text1")->setText("1000");
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
    ASSERT_EQ(prompts.shown.size(), 2u);
    EXPECT_TRUE(prompts.shown[1].Text.startsWith("This needs about "));
    EXPECT_EQ(window->Doc().AnimationFrames(), 10);
}

TEST_F(MainWindowTest, SavingSaysWhichGraphsItLeavesOut) {
    QTemporaryDir dir;
    MakeGraph("mnuDraw3DCart", "z");
    MakeGraph("mnuDraw3DCart", "z^2");
    List()->item(0)->setCheckState(Qt::Unchecked);
    const QString path = dir.filePath("two.kpl");
    // Cancel: nothing is written.
    prompts.answers = {QMessageBox::Cancel};
    prompts.fileNames = {path};
    Action("mnuFileSave")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].Caption, "Note");
    EXPECT_TRUE(prompts.shown[0].Text.startsWith("1 graph is not checked"));
    EXPECT_FALSE(QFileInfo::exists(path));
    // Yes: the shown graph is saved.
    prompts.answers = {QMessageBox::Yes};
    prompts.fileNames = {path};
    Action("mnuFileSave")->trigger();
    Document saved;
    ASSERT_TRUE(saved.LoadFile(path.toStdString()).Ok());
    ASSERT_EQ(saved.Count(), 1u);
    EXPECT_EQ(saved.Graph(0)->ExpressZ(), "z^2");
}

TEST_F(MainWindowTest, SaveThenOpenGivesTheSameDocument) {
    QTemporaryDir dir;
    Action("mnuDemo3DExp2")->trigger();
    const QString first = dir.filePath("first.kpl");
    const QString second = dir.filePath("second");
    prompts.fileNames = {first};
    Action("mnuFileSave")->trigger();
    // A demo asks to save the shown graphs first (no answer: No).
    Action("mnuDemo3DPow1")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    prompts.shown.clear();
    // Open asks to save the shown graphs first: No.
    prompts.answers = {QMessageBox::No};
    prompts.fileNames = {first};
    Action("mnuFileOpen")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].Text, "Do you want to save the graphs?");
    EXPECT_EQ(window->Doc().Graph(0)->ExpressZ(), "exp(z)");
    prompts.fileNames = {second};
    Action("mnuFileSaveAs")->trigger();
    ASSERT_FALSE(Bytes(first).empty());
    EXPECT_EQ(Bytes(first), Bytes(second + ".kpl"));
    EXPECT_EQ(prompts.fileRequests.back().Caption, "Save As");
}

TEST_F(MainWindowTest, FailedSaveAndOpenSayWhyAndKeepTheDocument) {
    QTemporaryDir dir;
    MakeGraph("mnuDraw3DCart", "z");
    prompts.fileNames = {dir.filePath("missing/folder/x.kpl")};
    Action("mnuFileSave")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].Caption, "Error");
    EXPECT_TRUE(prompts.shown[0].Text.contains("Cannot save"))
        << prompts.shown[0].Text.toStdString();

    const QString junk = dir.filePath("junk.kpl");
    std::ofstream(junk.toStdString()) << "not a document";
    prompts.answers = {QMessageBox::No};
    prompts.fileNames = {junk};
    Action("mnuFileOpen")->trigger();
    ASSERT_EQ(prompts.shown.size(), 3u);
    EXPECT_EQ(prompts.shown[2].Caption, "Error");
    EXPECT_TRUE(prompts.shown[2].Text.contains("junk.kpl"));
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(window->Doc().Graph(0)->ExpressZ(), "z");
}

TEST_F(MainWindowTest, AGraphThatCannotBeSampledIsListedWithTheReason) {
    QTemporaryDir dir;
    std::string error;
    const std::optional<std::string> text =
        kpl::DecodeContainer(Bytes(QString(TERVANE_SAMPLES_DIR) + "/expz.kpl"), error);
    ASSERT_TRUE(text) << error;
    std::string broken = *text;
    broken.replace(broken.find(" exp(z) "), 8, " exp(z)+ ");
    const QString path = dir.filePath("broken.kpl");
    std::ofstream(path.toStdString(), std::ios::binary) << *kpl::EncodeContainer(broken, error);

    ASSERT_TRUE(window->LoadDocument(path));
    ASSERT_EQ(List()->count(), 1);
    EXPECT_TRUE(List()->item(0)->toolTip().startsWith("Not drawn: "));
    const QString result = window->findChild<QPlainTextEdit*>("Result")->toPlainText();
    EXPECT_TRUE(result.contains("cannot be drawn")) << result.toStdString();
}

TEST_F(MainWindowTest, RecentFilesAndDroppedDocumentsOpen) {
    QTemporaryDir dir;
    Action("mnuDemo3DExp3")->trigger();
    const QString saved = dir.filePath("saved.kpl");
    prompts.fileNames = {saved};
    Action("mnuFileSave")->trigger();
    auto* recent = window->findChild<QMenu*>("mnuFileRecent");
    ASSERT_FALSE(recent->actions().isEmpty());
    EXPECT_EQ(recent->actions().first()->statusTip(), saved);

    Action("mnuEditDelAll")->trigger();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(saved)});
    // A drop reaches the widget that accepted the drag when it entered.
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(window->Doc().Graph(0)->ExpressZ(), "exp(z)");
}

TEST_F(MainWindowTest, ClosingAsksToSaveAndStaysOpenWhenTheSaveIsCancelled) {
    MakeGraph("mnuDraw3DCart", "z");
    prompts.answers = {QMessageBox::Yes};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(prompts.shown.back().Text, "Do you want to save the graphs?");
    EXPECT_EQ(prompts.shown.back().Buttons, QMessageBox::Yes | QMessageBox::No);
    prompts.answers = {QMessageBox::No};
    EXPECT_TRUE(window->close());
}

TEST_F(MainWindowTest, LargeGridsAreSampledInTheBackgroundAndCanBeCancelled) {
    window->SetBackgroundThreshold(0);
    MakeGraph("mnuDraw3DCart", "sin(z)*exp(z)", "300");
    ASSERT_TRUE(window->Sampler().Running());
    EXPECT_EQ(List()->count(), 0);
    window->Sampler().Cancel();
    EXPECT_FALSE(window->Sampler().Running());

    MakeGraph("mnuDraw3DCart", "z^2", "300");
    ASSERT_TRUE(window->Sampler().Running());
    window->Sampler().WaitForFinished();
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(window->Doc().Graph(0)->DomainX().SizeU(), 301u);
    EXPECT_EQ(window->Doc().Graph(0)->ExpressZ(), "z^2");
}

TEST_F(MainWindowTest, LargePastesAreSampledInTheBackground) {
    MakeGraph("mnuDraw3DCart", "z");
    List()->setCurrentRow(0);
    Action("mnuEditCopy")->trigger();
    QString text = QApplication::clipboard()->text();
    QApplication::clipboard()->setText(text.replace(" z 8 8 ", " z 300 300 "));
    window->SetBackgroundThreshold(1000);
    Action("mnuEditPaste")->trigger();
    ASSERT_TRUE(window->Sampler().Running());
    EXPECT_EQ(List()->count(), 1);
    // A second large paste waits for the first.
    Action("mnuEditPaste")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_TRUE(prompts.shown[0].Text.startsWith("A graph is still being sampled."));
    window->Sampler().WaitForFinished();
    ASSERT_EQ(List()->count(), 2);
    EXPECT_EQ(window->Doc().Graph(1)->DomainX().SizeU(), 301u);
    Action("mnuEditUndo")->trigger();
    EXPECT_EQ(List()->count(), 1);
    // Cancelled, nothing comes in.
    Action("mnuEditPaste")->trigger();
    ASSERT_TRUE(window->Sampler().Running());
    window->Sampler().Cancel();
    EXPECT_EQ(List()->count(), 1);
}

TEST_F(MainWindowTest, LargeDocumentsAreSampledInTheBackground) {
    const QString expz = QString(TERVANE_SAMPLES_DIR) + "/expz.kpl";
    MakeGraph("mnuDraw3DCart", "z");
    window->SetBackgroundThreshold(0);
    // Cancelled: the document shown stays.
    ASSERT_TRUE(window->LoadDocument(expz));
    ASSERT_TRUE(window->Sampler().Running());
    window->Sampler().Cancel();
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(window->Doc().Graph(0)->ExpressZ(), "z");
    // A change made while the file is sampled asks again before it is replaced.
    ASSERT_TRUE(window->LoadDocument(expz));
    window->SetBackgroundThreshold(1000000);
    MakeGraph("mnuDraw3DCart", "z^2");
    prompts.answers = {QMessageBox::Cancel};
    window->Sampler().WaitForFinished();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !prompts.shown.empty(); }));
    EXPECT_EQ(prompts.shown[0].Text, "Do you want to save the graphs?");
    EXPECT_EQ(List()->count(), 2);
    // Left alone, the document comes in when its grids are done.
    window->SetBackgroundThreshold(0);
    ASSERT_TRUE(window->LoadDocument(expz));
    EXPECT_EQ(List()->count(), 2);
    window->Sampler().WaitForFinished();
    ASSERT_EQ(List()->count(), 1);
    EXPECT_EQ(window->Doc().Graph(0)->ExpressZ(), "exp(z)");
}

TEST_F(MainWindowTest, StatusBarNotesSpikesCutOffWhileTheViewShowsThem) {
    QSettings().setValue(kClipSpikesSetting, true);
    auto* note = window->findChild<QLabel*>("StatusClip");
    auto* view = window->findChild<QOpenGLWidget*>("picDraw");
    ASSERT_TRUE(note && view);
    // Whether the note shows once the view has drawn what the step left.
    const auto noteAfterTwoFrames = [note, view] {
        int frames = 0;
        const auto counting =
            QObject::connect(view, &QOpenGLWidget::frameSwapped, [&frames] { ++frames; });
        for (int wait = 0; wait < 250 && frames < 2; ++wait) {
            view->update();
            QTest::qWait(20);
        }
        QObject::disconnect(counting);
        EXPECT_GE(frames, 2);
        return !note->isHidden();
    };
    const auto clip = [this](bool on) {
        WithDialog("mnuViewSet", [on](QWidget* dialog) {
            dialog->findChild<QCheckBox*>("ClipSpikes")->setChecked(on);
            QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        });
    };
    const auto show = [this](int row, bool on) {
        List()->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        bool note;
    };
    const Step steps[] = {
        {"a graph without spikes", [this] { MakeGraph("mnuDraw3DCart", "z^2", "8"); }, false},
        {"a pole beside the nodes", [this] { MakeGraph("mnuDraw3DCart", "1/z", "40"); }, true},
        {"clipping turned off", [&clip] { clip(false); }, false},
        {"clipping turned on", [&clip] { clip(true); }, true},
        {"the clipped graph hidden", [&show] { show(1, false); }, false},
        {"the clipped graph shown", [&show] { show(1, true); }, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(noteAfterTwoFrames(), step.note);
    }
    EXPECT_NE(note->text().indexOf("cut off"), -1);
    QSettings().remove(kClipSpikesSetting);
}

TEST_F(MainWindowTest, ZerosAndPolesAreListedWhileTheMenuEntryIsOn) {
    auto* result = window->findChild<QPlainTextEdit*>("Result");
    QAction* entry = Action("mnuViewRoots");
    ASSERT_TRUE(result && entry);
    MakeGraph("mnuDraw3DCart", "z^2-1", "9");
    entry->trigger();
    EXPECT_TRUE(entry->isChecked());
    const QString listed = result->toPlainText();
    EXPECT_TRUE(listed.contains("zero of order 1 at z = -1 + 0i")) << listed.toStdString();
    EXPECT_TRUE(listed.contains("zero of order 1 at z = 1 + 0i")) << listed.toStdString();
    // A new graph is searched as soon as it is drawn.
    MakeGraph("mnuDraw3DCart", "1/(z-0.5)", "9");
    EXPECT_TRUE(result->toPlainText().contains("pole of order 1 at z = 0.5 + 0i"))
        << result->toPlainText().toStdString();
    entry->trigger();
    EXPECT_TRUE(result->toPlainText().isEmpty());
}

// The title names the file last opened or saved and marks every change of the graphs since;
// undo back to the file's state takes the mark away.
TEST_F(MainWindowTest, TheTitleNamesTheDocumentAndMarksItsChanges) {
    QTemporaryDir dir;
    const QString saved = dir.filePath("saved.kpl");
    const auto title = [this] { return window->windowHandle()->title(); };
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* title;
    };
    const Step steps[] = {
        {"a new window", [] {}, "Tervane"},
        {"a graph drawn", [this] { MakeGraph("mnuDraw3DCart", "z"); }, "Tervane*"},
        {"a document opened",
         [this] {
             prompts.answers = {QMessageBox::No};
             prompts.fileNames = {QString(TERVANE_SAMPLES_DIR) + "/expz.kpl"};
             Action("mnuFileOpen")->trigger();
         },
         "expz.kpl - Tervane"},
        {"a graph added", [this] { MakeGraph("mnuDraw3DCart", "z^2"); }, "expz.kpl* - Tervane"},
        {"the addition undone", [this] { Action("mnuEditUndo")->trigger(); }, "expz.kpl - Tervane"},
        {"and redone", [this] { Action("mnuEditRedo")->trigger(); }, "expz.kpl* - Tervane"},
        {"saved under another name",
         [this, saved] {
             prompts.fileNames = {saved};
             Action("mnuFileSave")->trigger();
         },
         "saved.kpl - Tervane"},
        {"a graph unchecked", [this] { List()->item(0)->setCheckState(Qt::Unchecked); },
         "saved.kpl* - Tervane"},
        {"checked again", [this] { List()->item(0)->setCheckState(Qt::Checked); },
         "saved.kpl* - Tervane"},
        {"undone twice",
         [this] {
             Action("mnuEditUndo")->trigger();
             Action("mnuEditUndo")->trigger();
         },
         "saved.kpl - Tervane"},
        {"a graph's model",
         [this] {
             List()->setCurrentRow(0);
             Action("barModelGrid")->trigger();
         },
         "saved.kpl* - Tervane"},
        {"saved again",
         [this, saved] {
             prompts.fileNames = {saved};
             Action("mnuFileSave")->trigger();
         },
         "saved.kpl - Tervane"},
        {"everything deleted", [this] { Action("mnuEditDelAll")->trigger(); },
         "saved.kpl* - Tervane"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        EXPECT_EQ(title(), step.title);
        EXPECT_EQ(window->isWindowModified(), QString(step.title).contains('*'));
    }
}

// Every caption of every menu carries one mnemonic, none twice in a menu, no shortcut of the
// window takes Alt with a menu bar's letter, and Alt+F opens File.
TEST_F(MainWindowTest, MenusHaveUniqueMnemonicsAndAltFOpensFile) {
    const auto mnemonics = [](const QString& caption) {
        QString found;
        for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
            if (caption[i] != '&') continue;
            if (caption[i + 1] != '&') found += caption[i + 1].toLower();
            ++i; // "&&" is a plain ampersand
        }
        return found;
    };
    std::vector<std::pair<QString, QList<QAction*>>> menus = {
        {"menu bar", window->menuBar()->actions()}};
    for (const char* popup : {"FunEdit", "GraphEdit"})
        menus.emplace_back(popup, window->findChild<QMenu*>(popup)->actions());
    QList<QKeySequence> barKeys;
    for (std::size_t m = 0; m < menus.size(); ++m) {
        const auto [name, actions] = menus[m];
        QString taken;
        for (QAction* a : actions) {
            if (a->isSeparator()) continue;
            const QString found = mnemonics(a->text());
            ASSERT_EQ(found.size(), 1) << name.toStdString() << ": " << a->text().toStdString();
            EXPECT_FALSE(taken.contains(found))
                << name.toStdString() << ": " << a->text().toStdString();
            taken += found;
            if (m == 0) barKeys << QKeySequence(Qt::ALT | QKeySequence(found)[0].key());
            if (a->menu()) menus.emplace_back(a->text(), a->menu()->actions());
        }
    }
    EXPECT_EQ(barKeys.size(), 7);
    for (QAction* a : window->findChildren<QAction*>())
        for (const QKeySequence& key : a->shortcuts())
            EXPECT_FALSE(barKeys.contains(key)) << a->objectName().toStdString();

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* file = window->findChild<QMenu*>("mnuFile");
    QTest::keyClick(window.get(), Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([file] { return QApplication::activePopupWidget() == file; }));
    file->close();
}

} // namespace
} // namespace tervane::testing
