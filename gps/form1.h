// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA's window Form1: its controls hold every setting of the program;
// its handlers start and stop reception on the serial port, search the
// ports, guard reception with the watchdog, hand fixes to the workbook,
// save tracks and points, import the geoid model, and keep ORBELA.JKN.  The
// window is the source of the link "FALDREN|ORBELA_TEXT7" item "Text7": every
// change of `Text7` (a fix line or a status word) reaches every linked
// client at once.
//
// The reception itself (sentence checks, conversion, texts, track) is the
// `Reception` of gps_core; the window feeds it each receive event of the
// port and shows what it returns.
#pragma once

#include "gps/clock.h"
#include "gps/reception.h"
#include "gps/settings_file.h"
#include "gps/workbook_hand_over.h"

#include "platform/forms/forms.h"
#include "platform/link/link_client.h"
#include "platform/link/link_source.h"
#include "platform/prompt/common_dialog.h"
#include "platform/serial/serial_port.h"
#include "platform/system/window_presence.h"

#include <QString>

#include <functional>
#include <memory>

namespace orbela {

/// The link ORBELA serves: application, topic and item.
inline constexpr QStringView kLinkApplication = u"FALDREN";
inline constexpr QStringView kLinkTopic = u"orbela_text7";
inline constexpr QStringView kLinkItem = u"Text7";

/// The workbook cell that switches the hand-over (sheet and cell).
inline constexpr QStringView kSignalSheet = u"境界";
inline constexpr QStringView kSignalCell = u"R4C24";

/// A clock that forwards to another one (the host clock unless a test sets
/// its own), so that the reception can keep one reference for its life.
class ForwardingClock final : public SystemClock {
public:
    void setTarget(SystemClock* target) { mTarget = target; }
    QDateTime now() const override { return target().now(); }
    bool set(const QDateTime& time) override { return target().set(time); }

private:
    SystemClock& target() const { return mTarget ? *mTarget : mHost; }

    mutable HostClock mHost;
    SystemClock* mTarget = nullptr;
};

class Form1 final : public platform::Form {
public:
    Form1();
    ~Form1() override;

    // ---- controls --------------------------------------------------------
    platform::Label Label2{*this, QStringLiteral("Label2")};
    platform::Label Label4{*this, QStringLiteral("Label4")};
    platform::TextBox Text2{*this, QStringLiteral("Text2")};
    platform::TextBox Text4{*this, QStringLiteral("Text4")};
    platform::Label Label6{*this, QStringLiteral("Label6")};
    platform::CommandButton Command4{*this, QStringLiteral("Command4")};
    platform::Label Label1{*this, QStringLiteral("Label1")};
    platform::TextBox Text1{*this, QStringLiteral("Text1")};
    platform::Label Label5{*this, QStringLiteral("Label5")};
    platform::TextBox Text6{*this, QStringLiteral("Text6")};
    platform::Label Label7{*this, QStringLiteral("Label7")};
    platform::Label Label3{*this, QStringLiteral("Label3")};
    platform::TextBox Text5{*this, QStringLiteral("Text5")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};
    platform::Frame Frame1{*this, QStringLiteral("Frame1")};
    platform::OptionButton Option1{Frame1, QStringLiteral("Option1")};
    platform::OptionButton Option2{Frame1, QStringLiteral("Option2")};
    platform::OptionButton Option6{Frame1, QStringLiteral("Option6")};
    platform::OptionButton Option7{Frame1, QStringLiteral("Option7")};
    platform::OptionButton Option8{Frame1, QStringLiteral("Option8")};
    platform::Frame Frame2{*this, QStringLiteral("Frame2")};
    platform::OptionButton Option3{Frame2, QStringLiteral("Option3")};
    platform::OptionButton Option4{Frame2, QStringLiteral("Option4")};
    platform::OptionButton Option5{Frame2, QStringLiteral("Option5")};
    platform::CommandButton Command3{*this, QStringLiteral("Command3")};
    platform::TextBox Text3{*this, QStringLiteral("Text3")};
    platform::CommandButton Command5{*this, QStringLiteral("Command5")};
    platform::Label Label9{*this, QStringLiteral("Label9")};
    platform::CheckBox Check1{*this, QStringLiteral("Check1")};
    platform::CheckBox Check2{*this, QStringLiteral("Check2")};
    platform::TextBox Text10{*this, QStringLiteral("Text10")};
    platform::TextBox Text7{*this, QStringLiteral("Text7")};
    platform::Label Label8{*this, QStringLiteral("Label8")};
    platform::ControlArray<platform::TextBox> Text8{QStringLiteral("Text8")};
    platform::TimerControl Timer1{*this, QStringLiteral("Timer1")};
    platform::SerialPort MSComm1;
    platform::CommonDialog CommonDialog1;
    platform::CommonDialog CommonDialog2;

    // ---- start-up, shut-down, settings (form1.cpp) -------------------------
    void Form_Load();
    void Form_QueryUnload(int& cancel, int unloadMode);
    void Form_Unload(int& cancel);
    void Jyoukenload();
    void Jyoukensave();
    void Option1_Click();
    /// Option2, Option6, Option7, Option8: the counted modes.
    void CountedOption_Click();

    // ---- serial port and port search (form1_port.cpp) -----------------------
    void Command1_Click();
    void Command2_Click();
    void Command4_Click();
    void portseek();
    /// Waits `misec` milliseconds without letting the window handle events.
    void wait(double misec);
    void Text4_DblClick();
    void Text6_Change();
    void Text2_Change();

    // ---- reception, watchdog, workbook link, files (form1_reception.cpp) -----
    void MSComm1_OnComm(platform::CommEvent event);
    void Timer1_Timer();
    void Text10_Change();
    void Command3_Click();
    void Command5_Click();

    // ---- state -----------------------------------------------------------------
    Reception& reception() { return mReception; }
    const Reception& reception() const { return mReception; }
    /// The program folder as it was at start-up.
    const QString& programFolder() const { return mProgramFolder; }
    /// True when start-up found another instance running: the program ends
    /// without showing the window (`EndProgram` was called).
    bool hasEnded() const { return mEnded; }
    /// True while this window serves the link to the main program.
    bool isServingLink() const { return mSource.isListening(); }
    /// The clock the reception compares and sets; nullptr: the host's clock.
    void setClock(SystemClock* clock) { mClock.setTarget(clock); }

    /// Called when the program ends: after the window unloaded, or when
    /// start-up found another instance.  The executable quits its event
    /// loop here; nothing by default.
    std::function<void()> EndProgram;

private:
    void design();
    void designSerialControls();
    void designModeControls();
    void designLog();
    void wire();
    void wireReception();
    void endProgram();
    void applySettings(const SettingsRead& read);
    SaveType chosenSaveType() const;
    ReceptionSettings receptionSettings() const;
    void showFix(const ReceiveOutcome& outcome);
    void showOutcome(const ReceiveOutcome& outcome);
    void showLog();
    void endReceptionWithoutGga();
    void relinkWorkbookCell();
    bool openPortForStart();
    void limitWatchdogField();
    bool probePort();
    bool searchStep();
    void searchFailed();
    void setPointFileControls(bool counted);

    QString mProgramFolder;
    ForwardingClock mClock;
    Reception mReception{mClock};
    ExcelHandOver mHandOver;
    platform::LinkSource mSource{kLinkApplication.toString(), kLinkTopic.toString()};
    std::unique_ptr<platform::LinkClient> mWorkbookCell;
    std::unique_ptr<platform::SingleInstance> mInstance;
    bool mEnded = false;
};

/// The one instance of the window, made and loaded on first use.
platform::FormHolder<Form1>& form1Holder();
inline Form1& form1()
{
    return form1Holder().instance();
}

}  // namespace orbela
