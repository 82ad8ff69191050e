// SPDX-License-Identifier: LicenseRef-Tavelcor
// Form1: the design of the window, its wiring, start-up, shut-down, the
// settings file and the handlers that only switch controls.
#include "gps/form1.h"

#include "gps/geoid.h"
#include "gps/messages.h"
#include "gps/track_files.h"

#include "platform/forms/dispatch.h"
#include "platform/prompt/prompter.h"
#include "platform/system/files.h"
#include "platform/system/folders.h"

#include <QDebug>

namespace orbela {

namespace {

constexpr int kLogRowTwips = 285;
constexpr int kLogTopTwips = 4560;
constexpr int kClientWidthTwips = 7200;
constexpr int kWideTwips = 6960;
constexpr char kTempFileName[] = "ORBELA.TMP";
constexpr char kInstanceName[] = "ORBELA";

}  // namespace

platform::FormHolder<Form1>& form1Holder()
{
    static platform::FormHolder<Form1> holder;
    return holder;
}

Form1::Form1() : platform::Form(QStringLiteral("Form1"))
{
    design();
    wire();
}

Form1::~Form1() = default;

// ---- design ------------------------------------------------------------------

void Form1::design()
{
    setCaption(kCaptionDesign.toString());
    setBorderStyle(platform::FormBorder::FixedSingle);
    setMaxButton(false);
    setClientSize(kClientWidthTwips, kLogTopTwips + LogBox::kLines * kLogRowTwips + 120);
    designSerialControls();
    designModeControls();
    designLog();
}

void Form1::designSerialControls()
{
    Label2.setCaption(QStringLiteral("通信条件"));
    Label2.Move(120, 120, 1200, 240);
    Label4.setCaption(QStringLiteral("ポート番号"));
    Label4.Move(120, 450, 1000, 240);
    Text2.setText(QStringLiteral("1"));
    Text2.Move(1150, 420, 500, 300);
    Text4.setText(QStringLiteral("38400"));
    Text4.Move(1750, 420, 900, 300);
    Label6.setCaption(QStringLiteral("N,8,1"));
    Label6.Move(2700, 450, 700, 240);
    Command4.setCaption(kCaptionPortSearchDesign.toString());
    Command4.Move(3500, 400, 2100, 340);
    Label1.setCaption(QStringLiteral("TIME OUT"));
    Label1.Move(120, 870, 1000, 240);
    Text1.setText(QStringLiteral("10"));
    Text1.Move(1150, 840, 500, 300);
    Label5.setCaption(QStringLiteral("秒"));
    Label5.Move(1700, 870, 300, 240);
    Text6.setText(QStringLiteral("5"));
    Text6.Move(2100, 840, 500, 300);
    Label7.setCaption(QStringLiteral("00バイト"));
    Label7.Move(2650, 870, 900, 240);
    Label3.setCaption(QStringLiteral("座標系"));
    Label3.Move(3600, 870, 700, 240);
    Text5.setText(QStringLiteral("6"));
    Text5.Move(4350, 840, 500, 300);
    Command1.setCaption(QStringLiteral("受信開始"));
    Command1.Move(120, 1260, 1500, 420);
    Command2.setCaption(QStringLiteral("中断"));
    Command2.Move(1750, 1260, 1500, 420);
    Timer1.setEnabled(false);
    Timer1.setInterval(kFixWatchdogMs);
}

void Form1::designModeControls()
{
    Command5.setCaption(QStringLiteral("ジオイド"));
    Command5.Move(3400, 1260, 1200, 420);
    Label9.setCaption(kLabelGeoidPresent.toString());
    Label9.Move(4700, 1330, 2300, 240);
    Label9.setVisible(false);
    Frame1.setCaption(QStringLiteral("受信回数"));
    Frame1.Move(120, 1800, 3300, 1100);
    const std::pair<platform::OptionButton*, const char16_t*> modes[] = {
        {&Option1, u"連続受信"}, {&Option2, u"１回"}, {&Option6, u"２回"}, {&Option7, u"１０"}, {&Option8, u"５０"}};
    const int modeLeft[] = {120, 1500, 2350, 120, 1000};
    const int modeTop[] = {300, 300, 300, 650, 650};
    for (int i = 0; i < 5; ++i) {
        modes[i].first->setCaption(QString::fromUtf16(modes[i].second));
        modes[i].first->Move(modeLeft[i], modeTop[i], i == 0 ? 1300 : 800, 300);
    }
    Option1.setValue(true);
    Frame2.setCaption(QStringLiteral("保存タイプ"));
    Frame2.Move(3550, 1800, 3530, 1100);
    Option3.setCaption(QStringLiteral("ＳＩＭＡ"));
    Option3.Move(120, 300, 1100, 300);
    Option4.setCaption(QStringLiteral("ＴＹＰＥ１"));
    Option4.Move(1250, 300, 1100, 300);
    Option5.setCaption(QStringLiteral("ＴＹＰＥ２"));
    Option5.Move(2350, 300, 1100, 300);
    Option3.setValue(true);
    Command3.setCaption(QStringLiteral("保存"));
    Command3.Move(120, 3000, 1200, 380);
    Text3.Move(1400, 3030, 5680, 300);
    Text3.setVisible(false);
    Check1.setCaption(QStringLiteral("EXCEL LINK"));
    Check1.Move(120, 3500, 1800, 300);
    Check2.setCaption(QStringLiteral("時刻合わせ"));
    Check2.Move(2000, 3500, 1800, 300);
    Text10.Move(4000, 3500, 1200, 300);
    Text10.setVisible(false);
    CommonDialog1.setFileName(QStringLiteral("GPSLOG.CSV"));
    CommonDialog1.setFilter(QStringLiteral("*.csv;*.sim"));
    CommonDialog2.setDialogTitle(QStringLiteral("ジオイドモデル"));
    CommonDialog2.setFileName(QStringLiteral("*.asc"));
    CommonDialog2.setFilter(QStringLiteral("*.asc"));
}

void Form1::designLog()
{
    Text7.Move(120, 3900, kWideTwips, 300);
    Text7.setLocked(true);
    Label8.setCaption(QStringLiteral("受信DATA"));
    Label8.Move(120, 4300, 1200, 240);
    for (int i = 0; i < LogBox::kLines; ++i) {
        platform::TextBox& box = Text8.add(i, *this);
        box.Move(120, kLogTopTwips + i * kLogRowTwips, kWideTwips, kLogRowTwips);
        box.setLocked(true);
    }
}

// ---- wiring ------------------------------------------------------------------

void Form1::wire()
{
    Load = [this] { Form_Load(); };
    QueryUnload = [this](int& cancel, int mode) { Form_QueryUnload(cancel, mode); };
    Unload = [this](int& cancel) { Form_Unload(cancel); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command5.Click = [this] { Command5_Click(); };
    Option1.Click = [this] { Option1_Click(); };
    for (platform::OptionButton* counted : {&Option2, &Option6, &Option7, &Option8})
        counted->Click = [this] { CountedOption_Click(); };
    Text2.Change = [this] { Text2_Change(); };
    Text4.DblClick = [this] { Text4_DblClick(); };
    Text6.Change = [this] { Text6_Change(); };
    Text10.Change = [this] { Text10_Change(); };
    Text7.Change = [this] { mSource.publish(kLinkItem.toString(), Text7.Text()); };
    Timer1.Timer = [this] { Timer1_Timer(); };
    wireReception();
}

void Form1::wireReception()
{
    MSComm1.OnComm = [this](platform::CommEvent event) {
        const std::function<void(platform::CommEvent)> handler = [this](platform::CommEvent e) { MSComm1_OnComm(e); };
        platform::detail::raise(this, handler, event);
    };
    mHandOver.setReport([this](const QString& text) { mReception.log().setLine(0, text); });
    mReception.setWorkbook(&mHandOver);
    mReception.setClockBoxUnticked([this] { Check2.setValue(platform::check::Unchecked); });
    mReception.setFixShown([this](const ReceiveOutcome& outcome) { showFix(outcome); });
}

void Form1::endProgram()
{
    if (EndProgram) {
        const auto end = EndProgram;
        end();
    }
}

// ---- start-up and shut-down ----------------------------------------------------

void Form1::Form_Load()
{
    mProgramFolder = platform::programFolder();
    mInstance = platform::SingleInstance::acquire(QString::fromLatin1(kInstanceName));
    if (!mInstance) {
        platform::MsgBox(kMsgAlreadyRunning.toString());
        mEnded = true;
        endProgram();
        return;
    }
    // A folder without the lock runs all the same; its settings and track
    // files cannot be kept there.
    if (!mInstance->holdsLock())
        platform::MsgBox(platform::programFolderNotWritableMessage(mProgramFolder));
    mReception.setProgramFolder(mProgramFolder);
    mSource.publish(kLinkItem.toString(), Text7.Text());
    if (!mSource.listen())
        qWarning().noquote() << "ORBELA: the link to the main program cannot be served";
    mReception.geoid() = GeoidModel::fromProgramFolder(mProgramFolder);
    Label9.setVisible(mReception.geoid().isAvailable());
    Text6.setText(QStringLiteral("5"));
    Text6_Change();
    Jyoukenload();
    Text7.setText(kStatusNotConnected.toString());
    mReception.log().reset();
}

void Form1::Form_QueryUnload(int& cancel, int unloadMode)
{
    Text7.setText(kStatusClosing.toString());
    Jyoukensave();
    const QString temp = mProgramFolder + QLatin1Char('/') + QLatin1String(kTempFileName);
    if (platform::fileExists(temp))
        platform::removeFile(temp);
}

void Form1::Form_Unload(int& cancel)
{
    Text7.setText(kStatusClosing.toString());
    if (mReception.track().TrackCount() > 1 && WriteTrackFile(mProgramFolder, mReception.track()).isEmpty())
        qWarning().noquote() << "ORBELA: the track file cannot be written in" << mProgramFolder;
    Timer1.setEnabled(false);
    MSComm1.close();
    endProgram();
}

// ---- settings file --------------------------------------------------------------

void Form1::Jyoukenload()
{
    if (const std::optional<SettingsRead> read = readSettingsFile(mProgramFolder))
        applySettings(*read);
}

// Each value goes into its control in the file's order; setting a control
// runs its handler as a user's change does.
void Form1::applySettings(const SettingsRead& read)
{
    if (read.port)
        Text2.setText(*read.port);
    if (read.baud)
        Text4.setText(*read.baud);
    if (read.zone)
        Text5.setText(*read.zone);
    if (read.pointFile)
        Text3.setText(*read.pointFile);
    if (read.continuous)
        (*read.continuous ? Option1 : Option2).setValue(true);
    if (read.saveType == SaveType::Sima)
        Option3.setValue(true);
    else if (read.saveType == SaveType::Type1)
        Option4.setValue(true);
    else if (read.saveType == SaveType::Type2)
        Option5.setValue(true);
    if (read.watchdogSeconds)
        Text1.setText(*read.watchdogSeconds);
    if (read.threshold)
        Text6.setText(*read.threshold);
    if (read.excelLink)
        Check1.setValue(*read.excelLink);
}

void Form1::Jyoukensave()
{
    WindowSettings settings;
    settings.port = Text2.Text();
    settings.baud = Text4.Text();
    settings.zone = Text5.Text();
    settings.pointFile = Text3.Text();
    settings.once = Option2.Value();
    settings.saveType = chosenSaveType();
    settings.watchdogSeconds = Text1.Text();
    settings.threshold = Text6.Text();
    settings.excelLink = Check1.Value();
    // The program closes whatever happens; the old file then stays.
    if (!writeSettingsFile(mProgramFolder, settings))
        qWarning().noquote() << "ORBELA: ORBELA.JKN cannot be written in" << mProgramFolder;
}

// ---- option handlers ---------------------------------------------------------------

void Form1::setPointFileControls(bool counted)
{
    Text3.setVisible(counted);
    Command3.setCaption(counted ? QStringLiteral("保存先") : QStringLiteral("保存"));
}

void Form1::Option1_Click()
{
    setPointFileControls(false);
}

void Form1::CountedOption_Click()
{
    setPointFileControls(true);
}

}  // namespace orbela
