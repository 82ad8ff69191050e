// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "keypad/form1.h"

#include "keypad/geometry.h"
#include "keypad/jyouken.h"
#include "keypad/keys.h"
#include "keypad/module1.h"

#include "platform/prompt/prompter.h"
#include "platform/desktop/keysend.h"

#include <QWidget>

#include <optional>

namespace kintab {

namespace {

constexpr double kClientWidth = 3705;
constexpr double kClientHeight = 2475;
constexpr std::uint32_t kFrameColor = 0x00EEEEAF;  // RGB 175, 238, 238
constexpr int kTickMs = 500;
constexpr int kRightButton = 2;
constexpr double kRightMargin = 100;
constexpr double kBottomMargin = 600;

}  // namespace

platform::FormHolder<Form1>& form1Holder()
{
    static platform::FormHolder<Form1> holder;
    return holder;
}

Form1::Form1() : platform::Form(QStringLiteral("Form1"))
{
    setCaption(QStringLiteral("KINTAB1.43"));
    setBorderStyle(platform::FormBorder::FixedSingle);
    setMinButton(false);
    setMaxButton(false);
    setClientSize(kClientWidth, kClientHeight);
    Frame14.setBorderStyle(0);
    Frame14.setCaption(QStringLiteral("Kintab"));
    Frame14.Move(0, 0, 3735, 2535);
    Frame14.setBackColor(kFrameColor);
    designKeys();
    Timer1.setInterval(kTickMs);
    wireEvents();
}

void Form1::designKeys()
{
    for (const KeyDesign& design : keyDesigns()) {
        platform::CommandButton& key = Command59.add(design.number, Frame14);
        const KeyPlace place = keyPlace(design);
        key.Move(place.left, place.top, place.width, place.height);
        key.setCaption(QString::fromUtf16(design.caption));
        key.setBackColor(design.backColor);
        key.setFontName(QStringLiteral("ＭＳ ゴシック"));
        key.setFontBold(true);
        key.setFontSize(design.fontPoints);
        key.setTabStop(false);
    }
}

void Form1::wireEvents()
{
    Load = [this] { Form_Load(); };
    Unload = [this](int& cancel) { Form_Unload(cancel); };
    QueryUnload = [this](int& cancel, int mode) { Form_QueryUnload(cancel, mode); };
    Resize = [this] { Form_Resize(); };
    Command59.MouseDown = [this](int index, int button, int shift, double x, double y) {
        Command59_MouseDown(index, button, shift, x, y);
    };
    Frame14.MouseDown = [this](int button, int shift, double x, double y) {
        Frame14_MouseDown(button, shift, x, y);
    };
    Timer1.Timer = [this] { Timer1_Timer(); };
}

// The keys go to the window the user works in: the keypad window and its
// keys never take the keyboard focus, not even when clicked.
void Form1::keepFocusElsewhere()
{
    setTakesNoFocus(true);
    for (const auto& [index, key] : Command59)
        key->widget()->setFocusPolicy(Qt::NoFocus);
}

void Form1::Form_Load()
{
    KeypadState& state = keypad();
    state.IconMode = 1;
    state.IconState = 0.0F;
    state.SizeFactor = 1.0F;
    // On top and without the focus first: changing them makes the window
    // system's window anew, and the frame is tracked on the final one.
    KeepOnTop(*this);
    keepFocusElsewhere();
    // The keypad's place is kept between runs and restored after the compact
    // mode: it is the place of the frame the window manager draws.
    setTracksWindowFrame();
    state.KeypadWidth = wholeTwips(Width());
    state.KeypadHeight = wholeTwips(Height());
    Move(screenWidthTwips() - Width() - kRightMargin,
         screenHeightTwips() - Height() - kBottomMargin);
    SaveLayout();
    LoadKeypadSettings();
}

void Form1::Form_Unload(int& /*Cancel*/)
{
    SaveKeypadSettings();
    jyoukenHolder().unload();
    if (services().endProgram)
        services().endProgram();
}

platform::WindowHandle Form1::windowHandle() const
{
    return static_cast<platform::WindowHandle>(window()->winId());
}

void Form1::Timer1_Timer()
{
    platform::ForegroundWindows* windows = services().windows;
    const platform::WindowHandle front = windows != nullptr ? windows->foregroundWindow() : 0;
    KeypadState& state = keypad();
    if (front != windowHandle() && front != state.KeyTarget)
        state.KeyTarget = front;
}

void Form1::Command59_MouseDown(int Index, int Button, int /*Shift*/, double /*X*/, double /*Y*/)
{
    if (Button == kRightButton) {
        jyouken().Show();
        return;
    }
    if (keypad().IconState == 1.0F) {
        RestoreCompact();
        return;
    }
    KEYIN(Index);
}

void Form1::Frame14_MouseDown(int Button, int /*Shift*/, double /*X*/, double /*Y*/)
{
    if (Button == kRightButton) {
        jyouken().Show();
        return;
    }
    if (keypad().IconState == 1.0F)
        RestoreCompact();
}

// Makes the key sender; when keys cannot be sent here the user is told why,
// once, and later keys are dropped silently.
bool Form1::openKeySender()
{
    if (KeySender)
        return true;
    if (mKeySenderRefused || !services().openKeySender)
        return false;
    platform::KeySenderOpening opening = services().openKeySender();
    if (!opening.sender) {
        mKeySenderRefused = true;
        platform::MsgBox(opening.failure, platform::MsgButtons::OkOnly,
                         platform::MsgIcon::Exclamation);
        return false;
    }
    KeySender = std::move(opening.sender);
    return true;
}

void Form1::KEYIN(int Index)
{
    if (platform::ForegroundWindows* windows = services().windows)
        (void)windows->bringToFront(keypad().KeyTarget);
    if (!openKeySender())
        return;
    std::optional<QString> text = fixedKeyText(Index);
    if (const int slot = letterSlotOf(Index); slot != 0)
        text = jyouken().letterBox(slot).Text();
    // An empty letter box types nothing; a key that cannot be typed is lost.
    if (text && !text->isEmpty())
        (void)KeySender->sendKeys(*text);
}

}  // namespace kintab
