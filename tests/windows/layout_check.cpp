// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "layout_check.h"

#include "platform/forms/forms.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QWidget>

#include <map>
#include <optional>
#include <set>
#include <utility>

namespace layout_check {

namespace {

// The frame's caption sits this far from its left edge with this much room
// on either side (as the frame paints it).
constexpr int kFrameCaptionIndent = 6;
constexpr int kFrameCaptionPadding = 2;
// Pixels a caption's letters may reach past the room they are drawn in.
constexpr int kLetterSlack = 1;
// Pixels of room a caption's letters keep from a neighbouring control and
// from the edge of their container, so that a caption reads as its own
// control's and not as the next one's.
constexpr int kCaptionRoom = 3;

QString describe(const QRect& r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The control that is the container `container`, or null for the form.
const platform::Control* containerControl(const platform::Container& container)
{
    return dynamic_cast<const platform::Control*>(&container);
}

// The text a control shows as its caption; nullopt for kinds without one.
std::optional<QString> captionOf(const platform::Control& control)
{
    if (const auto* label = dynamic_cast<const platform::Label*>(&control))
        return label->Caption();
    if (const auto* button = dynamic_cast<const platform::CommandButton*>(&control))
        return button->Caption();
    if (const auto* box = dynamic_cast<const platform::CheckBox*>(&control))
        return box->Caption();
    if (const auto* option = dynamic_cast<const platform::OptionButton*>(&control))
        return option->Caption();
    if (const auto* frame = dynamic_cast<const platform::Frame*>(&control))
        return frame->BorderStyle() == 1 ? frame->Caption() : QString();
    return std::nullopt;
}

// The room the widget's style gives a button's caption.
QRect buttonContents(const QWidget& widget, QStyle::SubElement element, const QString& text)
{
    QStyleOptionButton option;
    option.initFrom(&widget);
    option.rect = widget.rect();
    option.text = text;
    return widget.style()->subElementRect(element, &option, &widget);
}

// Where a caption is drawn: the room the control gives it and how it is
// aligned there.
struct CaptionPlace {
    QRect room;
    Qt::Alignment alignment;
};

Qt::Alignment labelAlignment(const platform::Label& label)
{
    switch (label.Alignment()) {
    case 1: return Qt::AlignRight | Qt::AlignTop;
    case 2: return Qt::AlignHCenter | Qt::AlignTop;
    default: return Qt::AlignLeft | Qt::AlignTop;
    }
}

CaptionPlace captionPlace(const platform::Control& control, const QString& text)
{
    const QWidget& widget = *control.widget();
    if (dynamic_cast<const platform::CommandButton*>(&control)) {
        const QRect inside = buttonContents(widget, QStyle::SE_PushButtonContents, text);
        return {inside, Qt::AlignCenter};
    }
    if (dynamic_cast<const platform::CheckBox*>(&control))
        return {buttonContents(widget, QStyle::SE_CheckBoxContents, text), Qt::AlignLeft | Qt::AlignVCenter};
    if (dynamic_cast<const platform::OptionButton*>(&control))
        return {buttonContents(widget, QStyle::SE_RadioButtonContents, text), Qt::AlignLeft | Qt::AlignVCenter};
    if (dynamic_cast<const platform::Frame*>(&control)) {
        const int indent = kFrameCaptionIndent + kFrameCaptionPadding;
        return {QRect(indent, 0, widget.width() - 2 * indent, widget.height()), Qt::AlignLeft | Qt::AlignTop};
    }
    // A label: inside its border.
    return {widget.contentsRect(), labelAlignment(static_cast<const platform::Label&>(control))};
}

// The text as drawn: line ends CR LF or LF; in a button a single "&" marks
// the access key and is not drawn.
QStringList shownLines(QString text, bool accessKeys)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (accessKeys) {
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        text.remove(u'&');
        text.replace(u'\x01', u'&');
    }
    return text.split(u'\n');
}

// The pixels that the caption's letters cover (their ink, not the advance
// and line boxes around them), placed as the control draws them.
QRect captionInk(const platform::Control& control, const QString& text, const CaptionPlace& place)
{
    const QWidget& widget = *control.widget();
    const QFontMetrics metrics(widget.font());
    const QStringList lines = shownLines(text, dynamic_cast<const platform::CommandButton*>(&control) != nullptr);
    const int blockHeight = static_cast<int>(lines.size()) * metrics.lineSpacing();
    int top = place.room.top();
    if (place.alignment & Qt::AlignVCenter)
        top += (place.room.height() - blockHeight) / 2;
    QRect ink;
    for (const QString& line : lines) {
        const int advance = metrics.horizontalAdvance(line);
        int left = place.room.left();
        if (place.alignment & Qt::AlignHCenter)
            left += (place.room.width() - advance) / 2;
        else if (place.alignment & Qt::AlignRight)
            left = place.room.right() + 1 - advance;
        if (!line.trimmed().isEmpty())
            ink |= metrics.tightBoundingRect(line).translated(left, top + metrics.ascent());
        top += metrics.lineSpacing();
    }
    return ink;
}

// The room a one-line text box gives its text: inside the frame, less the
// line edit's own margin of one pixel above and below the line.
constexpr int kLineEditVerticalMargin = 1;

std::optional<QRect> textRoom(const platform::Control& control)
{
    const auto* box = dynamic_cast<const platform::TextBox*>(&control);
    if (box == nullptr || box->MultiLine())
        return std::nullopt;
    const QWidget* edit = control.widget()->findChild<QLineEdit*>();
    const QWidget& widget = edit != nullptr ? *edit : *control.widget();
    QStyleOptionFrame option;
    option.initFrom(&widget);
    option.rect = widget.rect();
    option.lineWidth = widget.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &widget);
    return widget.style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, &widget)
        .adjusted(0, kLineEditVerticalMargin, 0, -kLineEditVerticalMargin);
}

bool showsText(const platform::Control& control)
{
    const std::optional<QString> caption = captionOf(control);
    return (caption && !caption->isEmpty()) || textRoom(control).has_value();
}

void checkCaption(const platform::Control& control, QStringList& faults)
{
    const std::optional<QString> caption = captionOf(control);
    const QWidget& widget = *control.widget();
    if (caption && !caption->isEmpty()) {
        const CaptionPlace place = captionPlace(control, *caption);
        // Upright, only the widget's edge cuts a centred caption. A letter's
        // outermost pixel (its side bearing, its smoothed edge) may touch
        // the edge of the room.
        QRect room = place.room;
        if (place.alignment & Qt::AlignVCenter)
            room = QRect(room.left(), 0, room.width(), widget.height());
        room.adjust(-kLetterSlack, -kLetterSlack, kLetterSlack, kLetterSlack);
        const QRect ink = captionInk(control, *caption, place);
        if (!ink.isEmpty() && !room.contains(ink)) {
            faults << QStringLiteral("%1: caption \"%2\" does not fit: its letters cover %3, the room is %4")
                          .arg(controlName(control), *caption, describe(ink), describe(room));
        }
    }
    if (const std::optional<QRect> room = textRoom(control)) {
        const int lineHeight = QFontMetrics(widget.font()).height();
        if (lineHeight > room->height()) {
            faults << QStringLiteral("%1: a line of text needs %2 px in height but has %3")
                          .arg(controlName(control))
                          .arg(lineHeight)
                          .arg(room->height());
        }
    }
}

// The pixel rectangle a container gives its controls.
QRect clientRect(const platform::Container& container)
{
    return QRect(QPoint(0, 0), container.clientWidget()->size());
}

// The frame caption's rectangle, in the frame's own pixels; empty when none.
QRect frameCaptionRect(const platform::Container& container)
{
    const auto* frame = dynamic_cast<const platform::Frame*>(&container);
    if (frame == nullptr || frame->BorderStyle() != 1 || frame->Caption().isEmpty() || !isShown(*frame))
        return {};
    const QFontMetrics metrics(frame->widget()->font());
    return QRect(kFrameCaptionIndent, 0, metrics.horizontalAdvance(frame->Caption()) + 2 * kFrameCaptionPadding,
                 metrics.height());
}

void checkPlace(const platform::Control& control, QStringList& faults)
{
    const platform::Container& container = control.container();
    const QRect place = control.widget()->geometry();
    const platform::Control* holder = containerControl(container);
    const QString holderName = holder != nullptr ? controlName(*holder) : QStringLiteral("the window");
    if (showsText(control) && !clientRect(container).contains(place)) {
        faults << QStringLiteral("%1 (%2) runs out of %3 (%4)")
                      .arg(controlName(control), describe(place), holderName, describe(clientRect(container)));
    }
    const QRect caption = frameCaptionRect(container);
    if (!caption.isEmpty() && caption.intersects(place)) {
        faults << QStringLiteral("%1 (%2) covers the caption of %3 (%4)")
                      .arg(controlName(control), describe(place), holderName, describe(caption));
    }
}

bool stackedOnPurpose(const QString& a, const QString& b, const std::vector<StackedPair>& stacked)
{
    for (const StackedPair& pair : stacked) {
        if ((pair.first == a && pair.second == b) || (pair.first == b && pair.second == a))
            return true;
    }
    return false;
}

void checkOverlaps(const std::vector<const platform::Control*>& siblings, const std::vector<StackedPair>& stacked,
                   QStringList& faults)
{
    for (std::size_t i = 0; i < siblings.size(); ++i) {
        for (std::size_t j = i + 1; j < siblings.size(); ++j) {
            const QRect a = siblings[i]->widget()->geometry();
            const QRect b = siblings[j]->widget()->geometry();
            if (!a.intersects(b))
                continue;
            const QString nameA = controlName(*siblings[i]);
            const QString nameB = controlName(*siblings[j]);
            if (stackedOnPurpose(nameA, nameB, stacked))
                continue;
            faults << QStringLiteral("%1 (%2) and %3 (%4) overlap")
                          .arg(nameA, describe(a), nameB, describe(b));
        }
    }
}

// The caption's letters in the container's pixels; empty when the control
// shows no caption (a frame's caption lies on its border and is checked by
// checkPlace).
QRect captionInkInContainer(const platform::Control& control)
{
    if (dynamic_cast<const platform::Frame*>(&control) != nullptr)
        return {};
    const std::optional<QString> caption = captionOf(control);
    if (!caption || caption->trimmed().isEmpty())
        return {};
    const QRect ink = captionInk(control, *caption, captionPlace(control, *caption));
    return ink.translated(control.widget()->geometry().topLeft());
}

// The back colour of a container (a frame or the form).
std::optional<std::uint32_t> backColorOf(const platform::Container& container)
{
    if (const auto* control = dynamic_cast<const platform::Control*>(&container))
        return control->BackColor();
    if (const auto* form = dynamic_cast<const platform::Form*>(&container))
        return form->BackColor();
    return std::nullopt;
}

// What a neighbour shows of itself in its container's pixels: the letters of
// a label without a border; the box or circle and the letters of a check box
// or option button that has its container's colour; else the whole control.
QRect shownExtent(const platform::Control& control)
{
    if (const auto* label = dynamic_cast<const platform::Label*>(&control)) {
        if (label->BorderStyle() == 0)
            return captionInkInContainer(control);
    }
    const bool check = dynamic_cast<const platform::CheckBox*>(&control) != nullptr;
    const bool option = dynamic_cast<const platform::OptionButton*>(&control) != nullptr;
    if ((check || option) && backColorOf(control.container()) == control.BackColor()) {
        const QWidget& widget = *control.widget();
        const QStyle::SubElement element = check ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator;
        const QRect indicator = buttonContents(widget, element, captionOf(control).value_or(QString()));
        return indicator.translated(widget.geometry().topLeft()) | captionInkInContainer(control);
    }
    return control.widget()->geometry();
}

// A button or a label with a border draws a box around its caption.
bool drawsItsOwnBox(const platform::Control& control)
{
    if (dynamic_cast<const platform::CommandButton*>(&control) != nullptr)
        return true;
    const auto* label = dynamic_cast<const platform::Label*>(&control);
    return label != nullptr && label->BorderStyle() != 0;
}

// A caption whose letters come nearer than kCaptionRoom to a sibling or to
// the edge of their container.
void checkCaptionRoom(const std::vector<const platform::Control*>& siblings, const std::vector<StackedPair>& stacked,
                      QStringList& faults)
{
    for (const platform::Control* control : siblings) {
        if (drawsItsOwnBox(*control))
            continue;  // its border keeps the caption apart
        const QRect ink = captionInkInContainer(*control);
        if (ink.isEmpty())
            continue;
        const QRect withRoom = ink.adjusted(-kCaptionRoom, -kCaptionRoom, kCaptionRoom, kCaptionRoom);
        const QString name = controlName(*control);
        const QRect container = clientRect(control->container());
        if (!container.contains(withRoom)) {
            faults << QStringLiteral("%1: caption \"%2\" (%3) has less than %4 px to the edge of its container (%5)")
                          .arg(name, *captionOf(*control), describe(ink))
                          .arg(kCaptionRoom)
                          .arg(describe(container));
        }
        for (const platform::Control* other : siblings) {
            if (other == control)
                continue;
            const QRect near = shownExtent(*other);
            const QString otherName = controlName(*other);
            if (near.isEmpty() || !near.intersects(withRoom) || near.intersects(control->widget()->geometry()) ||
                stackedOnPurpose(name, otherName, stacked))
                continue;
            faults << QStringLiteral("%1: caption \"%2\" (%3) has less than %4 px to %5 (%6)")
                          .arg(name, *captionOf(*control), describe(ink))
                          .arg(kCaptionRoom)
                          .arg(otherName, describe(near));
        }
    }
}

}  // namespace

QString controlName(const platform::Control& control)
{
    return control.Index() < 0 ? control.Name() : QStringLiteral("%1(%2)").arg(control.Name()).arg(control.Index());
}

bool isShown(const platform::Control& control)
{
    for (const platform::Control* c = &control; c != nullptr; c = containerControl(c->container())) {
        if (!c->Visible())
            return false;
    }
    return true;
}

QStringList layoutFaults(const platform::Form& form, const std::vector<StackedPair>& stacked)
{
    QStringList faults;
    std::map<const platform::Container*, std::vector<const platform::Control*>> byContainer;
    for (const platform::ControlBase* base : form.controls()) {
        const auto* control = dynamic_cast<const platform::Control*>(base);
        if (control == nullptr || control->widget() == nullptr || !isShown(*control))
            continue;
        checkCaption(*control, faults);
        checkPlace(*control, faults);
        byContainer[&control->container()].push_back(control);
    }
    for (const auto& [container, siblings] : byContainer) {
        checkOverlaps(siblings, stacked, faults);
        checkCaptionRoom(siblings, stacked, faults);
    }
    return faults;
}

}  // namespace layout_check
