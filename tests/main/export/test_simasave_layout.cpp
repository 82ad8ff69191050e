// SPDX-License-Identifier: LicenseRef-Tavelcor
// The options dialog as it is drawn: every caption whole inside its
// control, no two controls of one container on top of each other, every
// control inside its container and below a frame's caption.
#include "export_window_fixture.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace tavelcor::exporttest {
namespace {

class SimasaveLayoutTest : public ExportWindowTest {};

// The width a control's caption needs, pixels: the widget's own size hint
// for check boxes, option buttons and labels; the text with a margin for
// buttons and frames.
int neededWidth(platform::Control& control)
{
    QWidget* w = control.widget();
    const QFontMetrics metrics(w->font());
    if (auto* button = qobject_cast<QPushButton*>(w))
        return metrics.horizontalAdvance(button->text()) + 12;
    if (auto* frame = dynamic_cast<platform::Frame*>(&control))
        return metrics.horizontalAdvance(frame->Caption()) + 24;
    if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w))
        return w->sizeHint().width();
    return 0;
}

TEST_F(SimasaveLayoutTest, CaptionsFitAndNothingOverlaps)
{
    KakuchiCount = 1;
    KakuchiSel[1] = 1;
    Simasave& f = simasave();
    f.Show();
    std::vector<platform::Control*> controls;
    for (platform::ControlBase* base : f.controls())
        if (auto* control = dynamic_cast<platform::Control*>(base))
            controls.push_back(control);
    ASSERT_EQ(controls.size(), 18u);
    for (platform::Control* control : controls) {
        QWidget* w = control->widget();
        EXPECT_LE(neededWidth(*control), w->width()) << control->Name().toStdString();
        if (neededWidth(*control) > 0) {
            EXPECT_LE(w->sizeHint().height(), w->height() + 1) << control->Name().toStdString();
        }
        const QRect parent = w->parentWidget()->rect();
        EXPECT_TRUE(parent.contains(w->geometry())) << control->Name().toStdString() << " leaves its container";
        if (dynamic_cast<platform::Frame*>(&control->container()) != nullptr) {
            EXPECT_GE(w->y(), QFontMetrics(w->parentWidget()->font()).height())
                << control->Name().toStdString() << " lies under the frame's caption";
        }
    }
    for (std::size_t a = 0; a < controls.size(); ++a) {
        for (std::size_t b = a + 1; b < controls.size(); ++b) {
            if (&controls[a]->container() != &controls[b]->container())
                continue;
            EXPECT_FALSE(controls[a]->widget()->geometry().intersects(controls[b]->widget()->geometry()))
                << controls[a]->Name().toStdString() << " and " << controls[b]->Name().toStdString();
        }
    }
}

}  // namespace
}  // namespace tavelcor::exporttest
