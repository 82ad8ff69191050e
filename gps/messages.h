// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA's message texts and status words, character for character as the
// program shows them, in one place for the logic and the window.
#pragma once

#include <QStringView>

namespace orbela {

// Status words of the fix item `Text7` (no comma in any of them, so the main
// program never takes one for a fix line).
inline constexpr QStringView kStatusNotReady = u"準備中";
inline constexpr QStringView kStatusNotConnected = u"未接続";
inline constexpr QStringView kStatusStopped = u"中断";
inline constexpr QStringView kStatusClosing = u"終了";

// Reception.
inline constexpr QStringView kLogNotReady = u"ＧＰＳは受信準備中です";
inline constexpr QStringView kMsgCheckLine = u"通信条件を見直してください";
inline constexpr QStringView kMsgZone = u"系を指定してください";

// Clock setting.
inline constexpr QStringView kMsgClockPrefix = u"システム時刻が";
inline constexpr QStringView kMsgClockFailed =
    u"ORBELAをいったん終了し、管理者として実行後再度時刻合わせをしてください";

// Track and point files.
inline constexpr QStringView kMsgNoData = u"データがありません";
inline constexpr QStringView kMsgNoFolder = u"保存先のディレクトリが見つかりません。";

// Geoid model.
inline constexpr QStringView kMsgGeoidOverwrite = u"既存のジオイドモデルを書き換えますか？";
inline constexpr QStringView kMsgGeoidLoading = u"ジオイドファイルを呼び出します";
inline constexpr QStringView kMsgGeoidUnreadable = u"ジオイドモデルファイルが読み込めませんでした";
inline constexpr QStringView kLabelGeoidPresent = u"ジオイドモデル　取得済";

// The window.
inline constexpr QStringView kCaptionDesign = u"ORBELA 1.361";
inline constexpr QStringView kCaptionStopped = u"中断 ORBELA";
inline constexpr QStringView kCaptionLeadNoData = u"通信未定";
inline constexpr QStringView kCaptionNotConnected = u"NMEA未接続";
inline constexpr QStringView kMsgAlreadyRunning = u"ORBELA　は既に起動中です";

// Serial port and port search.
inline constexpr QStringView kMsgPortNotFound = u"ポートが見つかりません";
inline constexpr QStringView kMsgReceiverNotFound = u"ＧＰＳ受信機が見つかりません｡接続を確認して下さい。";
inline constexpr QStringView kCaptionPortSearch = u"ポート検索";
inline constexpr QStringView kCaptionPortSearchDesign = u"ポート(16以内)検索";
inline constexpr QStringView kCaptionSearching = u" ポート調査中";

// Watchdog and workbook link.
inline constexpr QStringView kMsgNoOutput = u"ＧＰＳの出力データが確認できません。通信状態を確認してください。";
inline constexpr QStringView kTitleMessage = u"ORBELAメッセージ";
inline constexpr QStringView kLogExcelLinkFailed = u"エクセルへのリンクに失敗しました";

}  // namespace orbela
