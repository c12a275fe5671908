// The window's clipboard, picture, printing, animation and association commands.
#include "app/AppTestSupport.h"

#include "app/FileAssociation.h"
#include "core/BitmapFile.h"

#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>

namespace tervane::testing {
namespace {

const QString kColorMap = QString(TERVANE_SAMPLES_DIR) + "/expz2d.kpl";

TEST_F(MainWindowTest, CopyThenPasteAddsACopyWithTheSelectedEntrysCheckMark) {
    MakeGraph("mnuDraw3DCart", "z^2");
    MakeGraph("mnuDraw3DCart", "exp(z)");
    ASSERT_EQ(List()->count(), 2);
    // Paste before any copy does nothing, even with a graph text on the clipboard.
    QApplication::clipboard()->setText("3 2 9 @g@ 3 z 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 "
                                       "4 3 1 3 4 5 ");
    Action("mnuEditPaste")->trigger();
    EXPECT_EQ(List()->count(), 2);

    struct Row {
        bool selectedChecked;
        Qt::CheckState pasted;
    };
    for (const Row row : {Row{true, Qt::Checked}, Row{false, Qt::Unchecked}}) {
        List()->setCurrentRow(1);
        Action("mnuEditCopy")->trigger();
        EXPECT_TRUE(QApplication::clipboard()->text().startsWith("3 2 2 "));
        List()->item(0)->setCheckState(row.selectedChecked ? Qt::Checked : Qt::Unchecked);
        List()->setCurrentRow(0);
        const std::int32_t last = window->Doc().LastGraphID();
        Action("mnuEditPaste")->trigger();
        const int n = List()->count();
        EXPECT_EQ(window->Doc().Graph(static_cast<std::size_t>(n - 1))->ID(), last + 1);
        EXPECT_EQ(List()->item(n - 1)->text(), "3D Surface  w=exp(z)");
        EXPECT_EQ(List()->item(n - 1)->checkState(), row.pasted);
    }
}

TEST_F(MainWindowTest, CutThenPasteAndAColourMapNotPastedIntoA3DDocument) {
    MakeGraph("mnuDraw3DCart", "z^2");
    MakeGraph("mnuDraw3DCart", "sin(z)");
    List()->setCurrentRow(0);
    Action("mnuEditCut")->trigger();
    ASSERT_EQ(List()->count(), 1);
    Action("mnuEditPaste")->trigger();
    ASSERT_EQ(List()->count(), 2);
    EXPECT_EQ(List()->item(1)->text(), "3D Surface  w=z^2");
    EXPECT_EQ(window->Doc().Graph(1)->ID(), 3);

    QApplication::clipboard()->setText("7 13 4 @map@ 3 exp(z) 2 2 -2 2 -2 2 0 0 0 0 0 1 1 3 0 "
                                       "1 0 0 1 1 4 3 1 3 4 5 ");
    Action("mnuEditPaste")->trigger();
    EXPECT_EQ(List()->count(), 2);
    EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(MainWindowTest, PicturesGoToTheClipboardABitmapFileAndAPrintedPage) {
    ASSERT_TRUE(window->LoadDocument(kColorMap));
    Action("mnuEditCopyAs")->trigger();
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), window->View()->DeviceSize());

    QTemporaryDir dir;
    const QString bmp = dir.filePath("view");
    prompts.fileNames.push_back(bmp + ".bmp");
    Action("mnuFileSaveAs")->trigger();
    QImage saved(bmp + ".bmp");
    ASSERT_FALSE(saved.isNull());
    const int w = window->View()->DeviceSize().width();
    EXPECT_EQ(saved.width(), BitmapCaptureWidth(w) + 1);
    EXPECT_EQ(saved.height(), window->View()->DeviceSize().height());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file is left";

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("page.pdf"));
    ASSERT_TRUE(window->PrintTo(printer));
    QFile pdf(dir.filePath("page.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 1);
    EXPECT_TRUE(bytes.contains("/Subtype /Image")) << "the page holds the picture";
}

TEST_F(MainWindowTest, AnAnimatedGraphPlaysAndKeepsItsBoxAfterARotation) {
    WithDialog("mnuDraw3DCart", [](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("Text2")->setText("exp(t*z)");
        dialog->findChild<QLineEdit*>("Text7")->setText("8");
        dialog->findChild<QLineEdit*>("Text10")->setText("8");
        dialog->findChild<QLineEdit*>("Text5")->setText("0");
        dialog->findChild<QLineEdit*>("Text6")->setText("1");
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
    ASSERT_EQ(List()->count(), 1);
    const QImage first = Frame();
    const CBox box = window->View()->Renderer()->DrawnBox();

    Action("mnuAnimForward")->trigger();
    EXPECT_TRUE(window->Clock().Running());
    for (int k = 0; k < 5; ++k)
        window->Timer1_Timer();
    EXPECT_EQ(window->ShownStep(), 6);
    EXPECT_EQ(window->findChild<QLabel*>("StatusFrame")->text(), "Frame 5 / 10");
    EXPECT_NE(Frame(), first) << "exp(t*z) differs between steps";
    Action("mnuAnimStop")->trigger();
    EXPECT_FALSE(window->Clock().Running());

    Action("mnuViewISO")->trigger();
    (void)Frame();
    EXPECT_EQ(window->View()->Renderer()->DrawnBox(), box);
}

TEST_F(MainWindowTest, PropertyDialogsOpenFromTheirCommands) {
    struct Row {
        const char* command;
        const char* dialog;
    };
    for (const Row row : {Row{"mnuViewSet", "frmViewSetting"}, Row{"mnuDrawAxis", "frmAxis"},
                          Row{"barCoord", "frmAxis"}, Row{"mnuDrawLight", "frmLight"},
                          Row{"mnuGraphLight", "frmLight"}, Row{"mnuAnimOptions", "frmAnimation"},
                          Row{"mnuHelpAbout", "frmAbout"}}) {
        QString opened;
        WithDialog(row.command, [&opened](QWidget* dialog) {
            opened = dialog->objectName();
            QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        });
        EXPECT_EQ(opened, row.dialog) << row.command;
    }
}

TEST(FileAssociation, FilesAppearUnderTheUsersDataFolder) {
    QTemporaryDir dir;
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    RegisterAssociation("/opt/my apps/tervane", "/opt/my apps/tervane.svg");
    QFile desktop(dir.filePath("applications/tervane.desktop"));
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    const QString entry = QString::fromUtf8(desktop.readAll());
    EXPECT_TRUE(entry.contains("Exec=\"/opt/my apps/tervane\" %f\n")) << entry.toStdString();
    EXPECT_TRUE(entry.contains("MimeType=application/x-tervane-document;"));
    QFile mime(dir.filePath("mime/packages/tervane.xml"));
    ASSERT_TRUE(mime.open(QIODevice::ReadOnly));
    EXPECT_TRUE(mime.readAll().contains("<glob pattern=\"*.kpl\"/>"));
    // A save rewrites an entry another program took over.
    desktop.close();
    ASSERT_TRUE(desktop.open(QIODevice::WriteOnly | QIODevice::Truncate));
    desktop.write("[Desktop Entry]\nExec=other %f\n");
    desktop.close();
    RefreshAssociation("/usr/bin/tervane", "tervane");
    ASSERT_TRUE(desktop.open(QIODevice::ReadOnly));
    EXPECT_TRUE(desktop.readAll().contains("Exec=/usr/bin/tervane %f"));
    if (previous.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", previous);
}

} // namespace
} // namespace tervane::testing
