// The property dialogs: their OK rules driven without a dialog, then the wiring of the dialogs
// (immediate controls, messages, thumbnails).
#include "dialogs/PropertyDialogLogic.h"
#include "dialogs/UserPrompts.h"
#include "dialogs/detail/PropertyParts.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmAnimation.h"
#include "dialogs/frmAxis.h"
#include "dialogs/frmAxisStyle.h"
#include "dialogs/frmLight.h"
#include "dialogs/frmViewSetting.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "DialogTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tervane {
namespace {

using testing::Child;
using testing::MessageLog;

void Click(QWidget& dialog, const char* button) {
    QTest::mouseClick(Child<QPushButton>(dialog, button), Qt::LeftButton);
}

TEST(PropertyDialogLogic, ViewSettingStopsAtTheFirstIllegalField) {
    struct Row {
        std::array<std::string, 6> texts;
        DialogField refused; // None: accepted
        std::array<std::string, 6> cleaned;
    };
    const Row rows[] = {
        {{"-1,5", " 2", "-3", "3", "-9", "90"},
         DialogField::None,
         {"-1.5", "2", "-3", "3", "-9", "90"}},
        // Fields before the bad one hold their cleaned texts, the bad one its own; nothing is
        // written.
        {{"1,5", "2", "abc", "4", "x", "6"}, DialogField::MinY, {"1.5", "2", "abc", "4", "x", "6"}},
        {{"1", "2", "3", "4", "5", "6q"}, DialogField::MaxZ, {"1", "2", "3", "4", "5", "6q"}},
        {{"abc", "2", "3", "4", "5", "6"}, DialogField::MinX, {"abc", "2", "3", "4", "5", "6"}},
    };
    for (const Row& row : rows) {
        Document doc;
        CView view;
        ViewSettingInput in{kProjectPerspective, row.texts};
        const std::optional<DialogMessage> m = ApplyViewSetting(in, view, doc);
        ASSERT_EQ(m.has_value(), row.refused != DialogField::None) << row.texts[5];
        EXPECT_EQ(view.ProjectType(), kProjectPerspective) << "set before the fields are read";
        if (m) {
            EXPECT_EQ(m->Text, "Illegal data exist.");
            EXPECT_EQ(m->Caption, "Error");
            EXPECT_EQ(m->Field, row.refused);
            EXPECT_EQ(doc.View().MinX, ViewIntervals{}.MinX);
            EXPECT_EQ(in.Intervals, row.cleaned);
        } else {
            EXPECT_EQ(in.Intervals, row.cleaned);
            EXPECT_EQ(doc.View().MinX, -1.5f);
            EXPECT_EQ(doc.View().MaxZ, 90.0f);
        }
    }
}

TEST(PropertyDialogLogic, AnimationNeedsAtLeastOneFrameAndOneFramePerSecond) {
    const std::string frames1000 =
        "The number of frames was held to 1000: it must lie between 1 and 1000.";
    const std::string speed1000 = "The speed of animation (frames per second) was held to 1000: "
                                  "it must lie between 1 and 1000.";
    struct Row {
        const char* frames;
        const char* speed;
        const char* message; // empty: accepted
        std::int32_t wantFrames, wantSpeed;
        std::string held; // the note of an accepted OK
    };
    const Row rows[] = {
        {"1", "1", "", 1, 1, ""},
        {"2.6", "3", "", 3, 3, ""},
        {"2,6", "3", "", 2, 3, ""},
        {"25", "7.4", "", 25, 7, ""},
        {"0", "5", "The number of frames must large than 1.", 10, 10, ""},
        {"abc", "5", "The number of frames must large than 1.", 10, 10, ""},
        {"5", "0.5", "The speed of animation must large than 1 frame per second.", 10, 10, ""},
        {"0", "0", "The number of frames must large than 1.", 10, 10, ""},
        {"1000.4", "1000", "", 1000, 1000, ""},
        {"1001", "3", "", 1000, 3, frames1000},
        {"5", "1e12", "", 5, 1000, speed1000},
        {"99999", "5000", "", 1000, 1000, frames1000 + "\n" + speed1000},
    };
    for (const Row& row : rows) {
        Document doc;
        const ApplyResult r = ApplyAnimation({row.frames, row.speed}, doc);
        SCOPED_TRACE(std::string(row.frames) + " " + row.speed);
        EXPECT_EQ(r.Refusal ? r.Refusal->Text : std::string(), row.message);
        EXPECT_EQ(r.Held ? r.Held->Text : std::string(), row.held);
        for (const auto& m : {r.Refusal, r.Held})
            if (m) {
                EXPECT_EQ(m->Caption, "Note");
            }
        EXPECT_EQ(doc.AnimationFrames(), row.wantFrames);
        EXPECT_EQ(doc.AnimationSpeed(), row.wantSpeed);
    }
}

TEST(PropertyDialogLogic, LabelIntervalsStayWithinOneToFiveHundred) {
    struct Row {
        const char* text;
        std::int32_t intervals;
    };
    for (const Row row : {Row{"7", 7}, Row{"3.9", 3}, Row{"0", 1}, Row{"", 1}, Row{"abc", 1},
                          Row{"-4", 1}, Row{"500", 500}, Row{"9999999999", 500}})
        EXPECT_EQ(LabelIntervals(row.text), row.intervals) << row.text;
}

TEST(PropertyDialogLogic, AxisOkWritesTheTabsOnlyForShownPanelStyleAxes) {
    struct Row {
        bool show;
        std::int32_t style;
        bool tabsWritten;
    };
    for (const Row row : {Row{true, 1, true}, Row{true, 2, false}, Row{false, 1, false}}) {
        Document doc;
        doc.Axes().Show = row.show;
        AxisInput in = LoadAxis(doc.Axes(), doc);
        in.AxisStyle = row.style;
        in.ShowXZPanel = true;
        in.XZMaterial = 12;
        in.LabelNum = {"5", "0", "x"};
        in.Titles = {"Re", "Im", "|w|"};
        const std::optional<DialogMessage> held = ApplyAxis(in, doc);
        EXPECT_EQ(held.has_value(), row.tabsWritten) << "0 and x intervals are held to 1";
        EXPECT_EQ(doc.Axes().AxisStyle, row.style);
        EXPECT_EQ(doc.Axes().ShowXZPanel, row.tabsWritten);
        EXPECT_EQ(doc.Axes().XZPanelMaterial, row.tabsWritten ? 13 : 4);
        EXPECT_EQ(doc.Axes().LabelNumX, row.tabsWritten ? 5 : 2);
        EXPECT_EQ(doc.Axes().LabelNumY, row.tabsWritten ? 1 : 2);
        EXPECT_EQ(doc.AxisTitleZ(), row.tabsWritten ? "|w|" : "");
    }
}

TEST(PropertyDialogLogic, AxisOkNotesLabelIntervalsHeldToTheirRange) {
    const auto sentence = [](const char* axis, int held) {
        return std::string(axis) + " Axis Intervals was held to " + std::to_string(held) +
               ": it must lie between 1 and 500.";
    };
    const struct {
        std::array<std::string, 3> typed;
        std::array<std::int32_t, 3> stored;
        std::string note; // empty: none
    } rows[] = {
        {{"1", "500", "7.9"}, {1, 500, 7}, ""},
        {{"501", "5", "5"}, {500, 5, 5}, sentence("X", 500)},
        {{"5", "-3", ""}, {5, 1, 1}, sentence("Y", 1) + "\n" + sentence("Z", 1)},
    };
    for (const auto& r : rows) {
        Document doc;
        AxisInput in = LoadAxis(doc.Axes(), doc);
        in.LabelNum = r.typed;
        const std::optional<DialogMessage> held = ApplyAxis(in, doc);
        EXPECT_EQ(held ? held->Text : "", r.note) << r.typed[0];
        EXPECT_EQ((std::array{doc.Axes().LabelNumX, doc.Axes().LabelNumY, doc.Axes().LabelNumZ}),
                  r.stored);
    }
}

TEST(PropertyDialogLogic, LightTakesTheLeadingNumberOfEveryField) {
    CLight light;
    LightInput in = LoadLight(light);
    EXPECT_EQ(in.Numbers[0], "100");
    in.Lighting = false;
    in.TwoSides = true;
    in.GlobalAmbient = false;
    in.Numbers[0] = "12,5";
    in.Numbers[3] = "abc";
    in.Numbers[15] = "0.25x";
    ApplyLight(in, light);
    EXPECT_FALSE(light.Enabled());
    EXPECT_EQ(light.TwoSides(0), 1.0f);
    EXPECT_EQ(light.GlobalAmbient(0), 0.0f);
    EXPECT_EQ(light.Position(0), 12.0f) << "«12,5» reads to its comma";
    EXPECT_EQ(light.Position(3), 0.0f);
    EXPECT_EQ(light.Specular(3), 0.25f);
    EXPECT_EQ(LoadLight(light).Numbers[0], "12");
}

TEST(PropertyDialogs, ViewSettingStaysOpenOnIllegalData) {
    Document doc;
    CView view;
    MessageLog log;
    frmViewSetting dialog(view, doc);
    EXPECT_EQ(dialog.windowTitle(), "View Setting");
    EXPECT_TRUE(Child<QRadioButton>(dialog, "Option1")->isChecked());
    EXPECT_EQ(Child<QLineEdit>(dialog, "Text5")->text(), "-50");
    dialog.show();
    Child<QRadioButton>(dialog, "Option2")->setChecked(true);
    QLineEdit* minX = Child<QLineEdit>(dialog, "Text1");
    minX->setText("abc");
    Child<QLineEdit>(dialog, "Text2")->setText("3,5");
    QSettings().remove(kBoxRatioSetting);
    auto* boxRatio = Child<QComboBox>(dialog, "BoxRatio");
    boxRatio->setCurrentIndex(boxRatio->findData("cube"));
    // A second OK is refused as the first: the refused text stays and is not read as 0.
    for (int ok = 1; ok <= 2; ++ok) {
        SCOPED_TRACE(ok);
        Click(dialog, "Command1");
        ASSERT_EQ(log.shown.size(), static_cast<std::size_t>(ok));
        EXPECT_EQ(log.shown.back().Text, "Illegal data exist.");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(minX->text(), "abc");
        EXPECT_EQ(dialog.focusWidget(), minX);
        EXPECT_EQ(doc.View().MinX, ViewIntervals{}.MinX);
        EXPECT_EQ(StoredBoxRatio(), BoxRatio::Automatic); // nothing applied before a valid OK
    }
    EXPECT_EQ(view.ProjectType(), kProjectPerspective);
    minX->setText("-1,5");
    Click(dialog, "Command1");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(doc.View().MinX, -1.5f);
    EXPECT_EQ(doc.View().MaxX, 3.5f);
    EXPECT_EQ(StoredBoxRatio(), BoxRatio::Cube);
    QSettings().remove(kBoxRatioSetting);
}

TEST(PropertyDialogs, AxisColoursAndShowActAtOnceWhateverCloses) {
    Document doc;
    doc.Axes().Show = true;
    ScopedColorHandler colors([](const QColor&) { return QColor(10, 20, 30); });
    frmAxis dialog(doc);
    EXPECT_EQ(dialog.windowTitle(), "Axis Properties");
    QSignalSpy changed(&dialog, &frmAxis::AxesChanged);
    // The colour and material of a panel are enabled with its check box.
    EXPECT_FALSE(Child<QComboBox>(dialog, "Combo1")->isEnabled());
    EXPECT_EQ(Child<QComboBox>(dialog, "Combo1")->currentText(), "Metal");
    Child<QCheckBox>(dialog, "Check2")->setChecked(true);
    EXPECT_TRUE(Child<QComboBox>(dialog, "Combo1")->isEnabled());
    Child<QPushButton>(dialog, "Picture1")->click();
    Child<QCheckBox>(dialog, "Check1")->setChecked(false);
    EXPECT_EQ(changed.count(), 2);
    Click(dialog, "Command2");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(doc.Axes().XYPanelColor, 10 | (20 << 8) | (30 << 16));
    EXPECT_FALSE(doc.Axes().Show);
    EXPECT_FALSE(doc.Axes().ShowXYPanel) << "Cancel writes nothing else";
}

TEST(PropertyDialogs, AxisOkNotesHeldLabelIntervals) {
    Document doc;
    MessageLog log;
    frmAxis dialog(doc);
    dialog.show();
    Child<QLineEdit>(dialog, "Text2")->setText("9999");
    Click(dialog, "Command1");
    ASSERT_EQ(log.shown.size(), 1u);
    EXPECT_EQ(log.shown[0].Text,
              "Y Axis Intervals was held to 500: it must lie between 1 and 500.");
    EXPECT_EQ(log.shown[0].Caption, "Note");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(doc.Axes().LabelNumY, 500);
}

TEST(PropertyDialogs, AxisDialogOfCurvesHasNoStyleAndTwoTitles) {
    Document doc;
    doc.SetSceneKind(2);
    frmAxis dialog(doc);
    dialog.show();
    EXPECT_FALSE(Child<QWidget>(dialog, "Frame1")->isVisibleTo(&dialog));
    EXPECT_FALSE(Child<QLineEdit>(dialog, "Text4")->isVisibleTo(&dialog));
    EXPECT_EQ(Child<QLabel>(dialog, "Label5")->text(), "X Axis Title");
    EXPECT_EQ(Child<QLabel>(dialog, "Label6")->text(), "Y Axis Title");
}

TEST(PropertyDialogs, AxisStyleThumbnailChoosesTheBackgroundStyle) {
    CAxes axes;
    axes.BackStyle = 3;
    frmAxisStyle dialog(axes);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.ChosenStyle(), 2);
    Child<QToolButton>(dialog, "Image1_5")->click();
    QFrame* shape = Child<QFrame>(dialog, "Shape1");
    EXPECT_TRUE(shape->geometry().contains(Child<QToolButton>(dialog, "Image1_5")->geometry()));
    Child<QComboBox>(dialog, "Combo1")->setCurrentIndex(2);
    Click(dialog, "Command1");
    EXPECT_EQ(axes.BackStyle, 6);
    EXPECT_EQ(axes.AxisWidth, 3);
}

TEST(PropertyDialogs, BackgroundThumbnailsAreSixteenPictures) {
    std::set<std::vector<QRgb>> distinct;
    for (int style = 1; style <= kBackgroundStyles; ++style) {
        const QImage image = detail::BackgroundThumbnail(style, 0x0000FF, 0xFFFFFF, QSize(24, 18));
        std::vector<QRgb> pixels;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                pixels.push_back(image.pixel(x, y));
        distinct.insert(pixels);
    }
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kBackgroundStyles));
    // Style 1 is the first colour in the middle (red, packed with red in the low byte).
    EXPECT_EQ(detail::BackgroundThumbnail(1, 0x0000FF, 0xFFFFFF, QSize(24, 18)).pixelColor(12, 9),
              QColor(255, 0, 0));
}

TEST(PropertyDialogs, AnimationAndAboutDialogs) {
    Document doc;
    MessageLog log;
    frmAnimation dialog(doc);
    EXPECT_EQ(dialog.windowTitle(), "Animation Options");
    EXPECT_EQ(Child<QLineEdit>(dialog, "Text1")->text(), "10");
    dialog.show();
    Child<QLineEdit>(dialog, "Text2")->setText("0");
    Click(dialog, "Command1");
    ASSERT_EQ(log.shown.size(), 1u);
    EXPECT_EQ(log.shown[0].Caption, "Note");
    EXPECT_TRUE(dialog.isVisible());
    Child<QLineEdit>(dialog, "Text2")->setText("3");
    Child<QLineEdit>(dialog, "Text1")->setText("5000");
    Click(dialog, "Command1");
    ASSERT_EQ(log.shown.size(), 2u);
    EXPECT_EQ(log.shown[1].Text,
              "The number of frames was held to 1000: it must lie between 1 and 1000.");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(doc.AnimationSpeed(), 3);
    EXPECT_EQ(doc.AnimationFrames(), 1000);

    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About Tervane");
    EXPECT_EQ(Child<QLabel>(about, "lblVersion")->text(), "Version 1.5");
    about.show();
    Click(about, "Command1");
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(PropertyDialogs, LightDialogWritesOnOkOnly) {
    CLight light;
    frmLight dialog(light);
    EXPECT_EQ(dialog.windowTitle(), "Light Properties");
    EXPECT_EQ(Child<QLineEdit>(dialog, "Text16")->text(), "1");
    dialog.show();
    Child<QLineEdit>(dialog, "Text1")->setText("7");
    Click(dialog, "Command2");
    EXPECT_EQ(light.Position(0), 100.0f);
    frmLight again(light);
    again.show();
    Child<QLineEdit>(again, "Text1")->setText("7");
    Child<QCheckBox>(again, "Check1")->setChecked(false);
    Click(again, "Command1");
    EXPECT_EQ(light.Position(0), 7.0f);
    EXPECT_FALSE(light.Enabled());
}

} // namespace
} // namespace tervane
