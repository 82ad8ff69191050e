// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/xyin.h"

#include "main/edit/coordinate_keyin.h"
#include "main/edit/dialog_places.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "platform/prompt/prompter.h"

namespace tavelcor {

namespace {

constexpr double kWidth = 3400.0;
constexpr double kPlaceGap = 400.0;
constexpr double kRowTop = 120.0;
constexpr double kRowStep = 420.0;

void selectAll(platform::TextBox& field)
{
    field.setSelStart(0);
    field.setSelLength(static_cast<int>(field.Text().size()));
}

void showFields(XYIN& w, const KeyInFields& fields)
{
    w.Text2.setText(fields.name);
    w.Text3.setText(fields.x);
    w.Text4.setText(fields.y);
    w.Text5.setText(fields.z);
}

}  // namespace

XYIN::XYIN() : platform::Form(QStringLiteral("XYIN"))
{
    setCaption(QStringLiteral("SIMA XYZ IN"));
    setBorderStyle(platform::FormBorder::FixedToolWindow);
    const struct {
        platform::Label& label;
        const char16_t* caption;
        platform::TextBox& field;
        const char16_t* start;
    } rows[] = {{Label1, u"No", Text1, u"1"}, {Label2, u"点名", Text2, u""}, {Label3, u"X", Text3, u"0"},
                {Label4, u"Y", Text4, u"0"},  {Label5, u"Z", Text5, u"0"}};
    double top = kRowTop;
    for (const auto& row : rows) {
        row.label.setCaption(QString::fromUtf16(row.caption));
        row.label.Move(100.0, top + 30.0, 600.0, 270.0);
        row.field.Move(750.0, top, kWidth - 850.0, 330.0);
        row.field.setText(QString::fromUtf16(row.start));
        top += kRowStep;
    }
    Command1.setCaption(QStringLiteral("ＯＫ"));
    Command1.Move(750.0, top + 60.0, 1200.0, 420.0);
    Command3.setCaption(QStringLiteral("新規"));
    Command3.Move(2050.0, top + 60.0, 1200.0, 420.0);
    setClientSize(kWidth, top + 600.0);

    Load = [this] { Form_Load(); };
    QueryUnload = [this](int&, int) { setTopMost(false); };
    for (platform::TextBox* field : {&Text1, &Text2, &Text3, &Text4})
        field->GotFocus = [field] { selectAll(*field); };
    Text1.LostFocus = [this] { Text1_LostFocus(); };
    Command1.Click = [this] { Command1_Click(); };
    Command3.Click = [this] { Command3_Click(); };
}

void XYIN::showPicked(int n)
{
    if (!coordinateInUse(n))
        return;
    Text1.setText(QLatin1Char(' ') + QString::number(n));
    showFields(*this, coordinateFields(n));
}

void XYIN::Form_Load()
{
    setTopMost(true);
    placeAtMainTopRight(*this, kPlaceGap);
}

void XYIN::Text1_LostFocus()
{
    const auto number = readKeyInNumber(Text1.Text());
    if (const auto* fault = std::get_if<KeyInNumberFault>(&number)) {
        // Only the upper limit is checked here; a number below 1 loads
        // nothing and is refused by "ＯＫ".
        if (*fault == KeyInNumberFault::AboveRange) {
            platform::MsgBox(keyInNumberMessage(*fault));
            Text1.setText(QString::number(ZahyoMax));
        }
        return;
    }
    const int n = std::get<int>(number);
    if (coordinateInUse(n))
        showFields(*this, coordinateFields(n));
}

void XYIN::Command1_Click()
{
    const auto number = readKeyInNumber(Text1.Text());
    if (const auto* fault = std::get_if<KeyInNumberFault>(&number)) {
        platform::MsgBox(keyInNumberMessage(*fault));
        return;
    }
    const int n = std::get<int>(number);
    const KeyInFields fields{Text2.Text(), Text3.Text(), Text4.Text(), Text5.Text()};
    if (coordinateInUse(n) && keyInChangesEntry(n, fields)
        && platform::MsgBox(keyInOverwriteQuestion(n), platform::MsgButtons::YesNo) != platform::MsgResult::Yes)
        return;
    storeKeyedCoordinate(n, fields);
    Text1.SetFocus();
    crtplot();
}

void XYIN::Command3_Click()
{
    Text1.setText(QString::number(ZahyoMax + 1));
}

platform::FormHolder<XYIN>& xyinForm()
{
    static platform::FormHolder<XYIN> holder;
    return holder;
}

}  // namespace tavelcor
