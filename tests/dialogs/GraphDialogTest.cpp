// The dialogs' wiring: controls found by name, the messages they show and where the cursor goes.
#include "dialogs/UserPrompts.h"
#include "dialogs/frmColorMap.h"
#include "dialogs/frmGraph3D.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "DialogTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace tervane {
namespace {

using testing::Child;
using testing::MessageLog;

void ClickOk(QWidget& dialog) {
    QTest::mouseClick(Child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
}

// Adds a graph through a dialog with the given box texts, then opens the dialog on it as
// "Edit..." does and presses OK without changes: its entry and its numbers stay as they were.
template <typename Dialog>
void EditWithoutChanges(const std::vector<std::pair<const char*, QString>>& texts) {
    Document doc;
    MessageLog log;
    Dialog add(doc, {});
    for (const auto& [box, text] : texts)
        Child<QLineEdit>(add, box)->setText(text);
    ClickOk(add);
    ASSERT_EQ(doc.Count(), 1u);
    const std::string label = doc.Label(0);
    const CGraph before = *doc.Graph(0);

    Dialog edit(doc, GraphTarget{true, 0});
    edit.FillFrom(*doc.Graph(0));
    ClickOk(edit);
    EXPECT_EQ(edit.result(), QDialog::Accepted);
    EXPECT_TRUE(log.shown.empty());
    ASSERT_EQ(doc.Count(), 1u);
    EXPECT_EQ(doc.Label(0), label);
    const CGraph& after = *doc.Graph(0);
    EXPECT_EQ(after.ExpressZ(), before.ExpressZ());
    EXPECT_EQ(after.MinU(), before.MinU());
    EXPECT_EQ(after.MaxU(), before.MaxU());
    EXPECT_EQ(after.MinV(), before.MinV());
    EXPECT_EQ(after.MinT(), before.MinT());
    EXPECT_EQ(after.MaxT(), before.MaxT());
}

TEST(GraphDialogs, SurfaceDialogStartsWithItsDefaults) {
    Document doc;
    frmGraph3D dialog(doc, {});
    EXPECT_EQ(dialog.windowTitle(), "3D Function Graph Properties");
    EXPECT_EQ(Child<QLineEdit>(dialog, "Text1")->text(), "Untitled");
    EXPECT_EQ(Child<QComboBox>(dialog, "Combo1")->currentText(), "u(Real)");
    EXPECT_EQ(Child<QComboBox>(dialog, "Combo2")->currentText(), "v(Imaginary)");
    EXPECT_EQ(Child<QComboBox>(dialog, "Combo3")->currentText(), "x");
    EXPECT_EQ(Child<QComboBox>(dialog, "Combo6")->currentText(), "Magnitude");
    EXPECT_TRUE(Child<QRadioButton>(dialog, "Option7")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(dialog, "Option10")->isChecked());
    EXPECT_EQ(Child<QListWidget>(dialog, "List1")->currentItem()->text(), "Metal");
    EXPECT_EQ(Child<QLineEdit>(dialog, "Text7")->toolTip(), "Recommended Value: 30 - 60");
    Child<QListWidget>(dialog, "List1")->setCurrentRow(12);
    EXPECT_EQ(dialog.MaterialNumber(), 13);
}

TEST(GraphDialogs, SyntaxErrorKeepsTheDialogOpenWithTheCursorAtTheFault) {
    Document doc;
    MessageLog log;
    frmGraph3D dialog(doc, {});
    dialog.show();
    QLineEdit* function = Child<QLineEdit>(dialog, "Text2");
    function->setText("sin(z)+*2");
    QTest::mouseClick(Child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    ASSERT_EQ(log.shown.size(), 1u);
    EXPECT_EQ(log.shown[0].Caption, "Syntax Error");
    EXPECT_EQ(log.shown[0].Icon, QMessageBox::Critical);
    const QString text = log.shown[0].Text;
    ASSERT_TRUE(text.startsWith("Character ")) << text.toStdString();
    const int position = text.mid(10, text.indexOf(':') - 10).toInt();
    EXPECT_EQ(function->cursorPosition(), position);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(doc.Count(), 0u);

    function->setText("sin(z)");
    QTest::mouseClick(Child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(doc.Count(), 1u);
}

TEST(GraphDialogs, RefusalsShowTheirCaptionAndCleanTheBoxes) {
    Document doc;
    MessageLog log;
    frmColorMap dialog(doc, {});
    EXPECT_EQ(dialog.windowTitle(), "Function Color Map");
    EXPECT_FALSE(Child<QLineEdit>(dialog, "Text2")->isVisibleTo(&dialog));
    Child<QLineEdit>(dialog, "Text4")->setText("exp(z)");
    Child<QLineEdit>(dialog, "Text5")->setText("-1,5");
    Child<QLineEdit>(dialog, "Text10")->setText("");
    QTest::mouseClick(Child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    ASSERT_EQ(log.shown.size(), 1u);
    EXPECT_EQ(log.shown[0].Text, "Steps y must be larger than 1.");
    EXPECT_EQ(log.shown[0].Caption, "Note");
    EXPECT_EQ(log.shown[0].Icon, QMessageBox::Warning);
    EXPECT_EQ(Child<QLineEdit>(dialog, "Text5")->text(), "-1.5");
    EXPECT_EQ(doc.Count(), 0u);
}

TEST(GraphDialogs, AnEmptyFunctionIsRefused) {
    // Both dialogs: a blank f(z) would otherwise add the graph w=0.
    Document doc;
    MessageLog log;
    frmGraph3D surface(doc, {});
    frmColorMap colourMap(doc, {});
    for (auto [dialog, box] :
         {std::pair<QDialog*, const char*>{&surface, "Text2"}, {&colourMap, "Text4"}}) {
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        log.shown.clear();
        dialog->show();
        Child<QLineEdit>(*dialog, box)->setText(" ");
        ClickOk(*dialog);
        ASSERT_EQ(log.shown.size(), 1u);
        EXPECT_EQ(log.shown[0].Text, "Enter a function of z.");
        EXPECT_EQ(log.shown[0].Caption, "Note");
        EXPECT_EQ(dialog->focusWidget(), Child<QLineEdit>(*dialog, box));
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(doc.Count(), 0u);
    }
}

TEST(GraphDialogs, StepsAboveTheLimitAreHeldAndNoted) {
    Document doc;
    MessageLog log;
    frmGraph3D dialog(doc, {});
    dialog.show();
    Child<QLineEdit>(dialog, "Text2")->setText("z");
    Child<QLineEdit>(dialog, "Text7")->setText("25000");
    Child<QLineEdit>(dialog, "Text10")->setText("1");
    ClickOk(dialog);
    ASSERT_EQ(log.shown.size(), 1u);
    EXPECT_EQ(log.shown[0].Text, "Steps x was held to 10000: it must lie between 1 and 10000.");
    EXPECT_EQ(log.shown[0].Caption, "Note");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(doc.Count(), 1u);
    EXPECT_EQ(doc.Graph(0)->StepU(), 10000);
}

TEST(GraphDialogs, EditWithoutChangesKeepsTheEntryAndTheNumbers) {
    // Numbers that seven digits would round, and the colour map's entry text.
    {
        SCOPED_TRACE("3D graph");
        EditWithoutChanges<frmGraph3D>(
            {{"Text2", "z^2"}, {"Text5", "-1.23456789"}, {"Text11", "pi"}, {"Text12", "2*pi"}});
    }
    {
        SCOPED_TRACE("colour map");
        EditWithoutChanges<frmColorMap>({{"Text4", "exp(z)"}, {"Text5", "-12345678"}});
    }
}

TEST(GraphDialogs, FillFromAGraphGivesItsSettingsBack) {
    Document doc;
    SurfaceDialogInput in;
    in.Function = "z^3";
    in.StepsX = "12";
    in.VarZ = kQuantityMagnitude;
    in.Material = 9;
    const PreparedGraph p = PrepareSurfaceGraph(in, doc);
    ASSERT_FALSE(p.Message);
    frmGraph3D dialog(doc, {});
    dialog.FillFrom(*p.Graph);
    const SurfaceDialogInput back = dialog.Input();
    EXPECT_EQ(back.Function, "z^3");
    EXPECT_EQ(back.StepsX, "12");
    EXPECT_EQ(back.VarZ, kQuantityMagnitude);
    EXPECT_EQ(back.Material, 9);
    EXPECT_EQ(back.MinT, "-2");
}

TEST(GraphDialogs, ColourSchemeChoosesThePhaseOrTheChannels) {
    // Both dialogs: choosing the phase with rings gives all three channels the phase code and
    // disables the lists; a phase graph opens with the same choice; the lists hold the new
    // quantities too.
    Document doc;
    frmGraph3D surface(doc, {});
    frmColorMap colourMap(doc, {});
    for (QDialog* dialog : std::vector<QDialog*>{&surface, &colourMap}) {
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        auto* combo = Child<QComboBox>(*dialog, "Combo4");
        ASSERT_EQ(combo->count(), 7);
        EXPECT_EQ(combo->itemText(5), "Argument");
        EXPECT_EQ(combo->itemText(6), "log(Magnitude)");
        EXPECT_FALSE(Child<QCheckBox>(*dialog, "chkRings")->isEnabled());
        Child<QRadioButton>(*dialog, "optPhase")->setChecked(true);
        Child<QCheckBox>(*dialog, "chkRings")->setChecked(true);
        EXPECT_FALSE(combo->isEnabled());
    }
    const SurfaceDialogInput chosen = surface.Input();
    EXPECT_EQ(chosen.ColorR, kColourPhaseRings);
    EXPECT_EQ(chosen.ColorB, kColourPhaseRings);
    EXPECT_EQ(colourMap.Input().ColorG, kColourPhaseRings);

    SurfaceDialogInput in = chosen;
    in.Function = "z";
    in.VarZ = kQuantityArgument;
    const PreparedGraph p = PrepareSurfaceGraph(in, doc);
    ASSERT_FALSE(p.Message);
    EXPECT_EQ(doc.AxisTitleX(), "Arg");
    frmGraph3D edit(doc, {});
    edit.FillFrom(*p.Graph);
    EXPECT_TRUE(Child<QRadioButton>(edit, "optPhase")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(edit, "chkRings")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(edit, "chkRays")->isChecked());
    EXPECT_EQ(edit.Input().VarZ, kQuantityArgument);
    Child<QRadioButton>(edit, "optChannels")->setChecked(true);
    EXPECT_EQ(edit.Input().ColorR, kQuantityReal); // the lists' own choice comes back
}

} // namespace
} // namespace tervane
