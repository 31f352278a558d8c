#pragma once

// What the editor shows the user: read-only fields, list columns, message boxes, the file
// dialog's filter.

constexpr const char* AuthorText = "Varnel project";
constexpr const char* WebPageText = "(none)";

constexpr const char* OriginalNameColumn = "Original Name";
constexpr const char* ShortNameColumn = "Short Name";
// What the grey of a row means, in words that a screen reader reads: a device not connected, a
// proposal ("→ UM" in the short-name column).
constexpr const char* StateColumn = "状態";
constexpr const char* AbsentStateText = "未接続";
constexpr const char* ProposalStateText = "提案";

constexpr const char* ConfirmUpdateText =
    "XGworks のデバイス設定ファイルを更新します。よろしいですか？";
constexpr const char* ConfirmUpdateCaption = "確認だにょ。";
constexpr const char* UpdateDoneText = "更新が正常に完了しました！";
constexpr const char* UpdateDoneCaption = "成功だにょ。";
constexpr const char* ConfirmResetText =
    "XGworks のデバイス設定ファイルを初期状態に戻ります。よろしいですか？";
constexpr const char* ConfirmResetCaption = "確認だにゅ";
constexpr const char* ResetDoneText = "正常に初期状態へ戻せました。";
constexpr const char* ResetDoneCaption = "情報だにゅ";
constexpr const char* ErrorCaption = "問題が発生したッス！！";

// One filter entry whose pattern is the executable's exact name; sizeof counts the final NUL.
constexpr char XGworksFilter[] = "XGworks 実行ファイル\0xgworks.exe\0";
constexpr int XGworksFilterSize = sizeof(XGworksFilter);

// Asked before an update when present devices of one kind share a short name: the header, one
// line per shared name ("「SW 1」: SW1000 #1 WAVE OUT / SW1000 #2 WAVE OUT"), the question.
constexpr const char* DuplicateNamesText = "同じ短い名前のデバイスがあります。\n\n";
constexpr const char* DuplicateNameOpen = "「";
constexpr const char* DuplicateNameClose = "」: ";
constexpr const char* DuplicateDeviceSeparator = " / ";
constexpr const char* DuplicateNamesQuestion =
    "\nXGworks で見分けがつかなくなりますが、このまま更新しますか？";
constexpr const char* DuplicateNamesCaption = "注意だにょ。";

// Below the question before 更新 and before taking the backup back, a blank line away, a line
// for each short name that changes: "MIDI Out  Desk MIDI:  DM → DK", "(なし)" where there is
// none; at most MaxChangeLines of them, then how many more.
constexpr const char* ChangeKindSeparator = "  ";
constexpr const char* ChangeDeviceSeparator = ":  ";
constexpr const char* ChangeArrow = " → ";
constexpr const char* NoNameText = "(なし)";
constexpr int MaxChangeLines = 20;
constexpr char MoreChangesFormat[] = "ほか %d 件";
// Below the reset's question: of the short names in the file, how many the default text changes
// and how many it drops.
constexpr char ResetChangesFormat[] =
    "設定ファイルにある短い名前 %d 件のうち、%d 件が変わり、%d 件がなくなります。";

// 前の設定に戻す: the file goes back to its backup, which keeps what it replaces.
constexpr char ConfirmRestoreFormat[] =
    "設定ファイルを、%04u/%02u/%02u %02u:%02u に保存されたバックアップ DrvShortName.ini.bak "
    "の内容に戻します。今の内容はバックアップに残るので、もう一度押すとこの状態に戻せます。"
    "よろしいですか？";
constexpr const char* ConfirmRestoreCaption = "確認だにょ。";

// Asked before edits that were not saved are thrown away (キャンセル, Escape, the close box,
// "...", 前の設定に戻す).
constexpr const char* DiscardEditsText = "保存していない変更があります。破棄してよろしいですか？";
constexpr const char* DiscardEditsCaption = "確認だにょ。";

// Asked before an update, a reset or taking the backup back writes over a file that another
// program changed since Varnel read it; what it wrote survives only in the backup.
constexpr const char* ChangedOnDiskText =
    "設定ファイルは Varnel が読み込んだ後に、ほかのプログラムによって変更されています。\n"
    "上書きすると、その変更は DrvShortName.ini.bak にだけ残ります。上書きしてよろしいですか？";
constexpr const char* ChangedOnDiskCaption = "注意だにょ。";

// The shortcut menu of a present device: a device not connected of the same kind gives it its
// short name, each offered as "2- USB MIDI Cable ― UM".
constexpr const char* TakeOverMenuText = "名前を引き継ぐ";
constexpr const char* TakeOverSeparator = " ― ";

// The byte count of the short-name box beside its limit, as XGworks counts: "12/31 バイト". The
// unit makes it say what it counts, also to a screen reader, which reads a static text as its name.
constexpr char ShortNameBytesFormat[] = "%d/%d バイト";

// An update without any edit writes nothing, so that the backup keeps what a reset replaced.
constexpr const char* NoChangesText = "変更がないため、設定ファイルは更新しませんでした。";
constexpr const char* NoChangesCaption = "情報だにょ。";

// Asked before a take-over drops the short name the device has of its own.
constexpr const char* ReplaceNameText =
    "このデバイスにはすでに短い名前があります。引き継ぐと、今の名前はなくなります。"
    "よろしいですか？";
constexpr const char* ReplaceNameCaption = "確認だにょ。";

// Why "..." changed nothing: the chosen folder is not XGworks'.
constexpr const char* NotXGworksFolderText =
    "選んだフォルダには XGworks.exe も DrvShortName.ini もありません。";

// Beside the button that opens the review of devices that Windows renamed, while present
// devices without a short name have a likely old one in the file: "名前を引き継げるデバイス: 5".
constexpr char RenamedDevicesFormat[] = "名前を引き継げるデバイス: %d";
// The review's columns, and why a device not connected is likely the present one.
constexpr const char* ReviewColumns[] = {"種類", "デバイス", "引き継ぐ元 (未接続)", "短い名前",
                                         "理由"};
constexpr const char* RenameReasonText[] = {"", "番号", "31 バイトで切れた名前", "旧形式"};

// What the selected row of two or more present devices of one kind under one name says of them:
// XGworks cannot tell them apart.
constexpr char SameNameDevicesNote[] =
    "同じ名前のデバイスが %u 台あります。XGworks では見分けがつかないため、"
    "短い名前はその全部に使われます。";
// Shown at start, and when 更新 or the reset is refused, while the system's code page for
// programs that are not Unicode is not XGworks' (another language, Windows' UTF-8 option, Wine
// without a Japanese locale). Wide text, in both languages: the ANSI functions would show it in
// that code page, as question marks.
constexpr const wchar_t* CodePageCaption = L"Varnel";
constexpr const wchar_t* CodePageNoticeText =
    L"Unicode に対応していないプログラムの言語 (システム ロケール) が日本語ではありません。"
    L"XGworks は DrvShortName.ini を日本語のコード ページ (932、シフト JIS) で読み書きするため、"
    L"Varnel は読み取り専用で開きます。一覧は表示しますが、更新と初期化はしません。\n\n"
    L"直し方: Windows では [コントロール パネル] の [地域] → [管理] → [システム ロケールの変更] で"
    L"「日本語 (日本)」を選び (「ワールドワイド言語サポートで Unicode UTF-8 を使用」は外します)、"
    L"再起動します。Wine では LANG=ja_JP.UTF-8 を付けて起動します。\n\n"
    L"The system's language for programs that are not Unicode (the system locale) is not "
    L"Japanese. XGworks reads and writes DrvShortName.ini in the Japanese code page (932, "
    L"Shift-JIS), so Varnel opens read only: it shows the lists, but does not update or reset "
    L"the file.\n\n"
    L"To fix it: on Windows, choose \"Japanese (Japan)\" under Control Panel > Region > "
    L"Administrative > Change system locale (with \"Use Unicode UTF-8 for worldwide language "
    L"support\" unticked), and restart. Under Wine, start Varnel with LANG=ja_JP.UTF-8.";
// Put before the notice when 更新 or the reset is pressed in that state.
constexpr const wchar_t* ReadOnlyRefusalText =
    L"読み取り専用のため、設定ファイルには書き込みませんでした。\n"
    L"Nothing was written: Varnel is open read only.\n\n";

// The balloon on the short-name box when what was typed or pasted is refused, by the reason
// (the name steps of SettingsModel::SetName; NotStoredTipText is a safeguard: the box of such a
// device stays disabled). Wide, as the balloon takes it.
constexpr const wchar_t* RefusalTipTitle = L"この文字は入力できません";
constexpr const wchar_t* TooLongTipText =
    L"XGworks が読む短い名前は 31 バイト (全角 15 文字) までです。";
constexpr const wchar_t* CommentTipText =
    L"「;」は設定ファイルではコメントの始まりになるため使えません。";
constexpr const wchar_t* ControlTipText = L"タブや改行などの制御文字は使えません。";
constexpr const wchar_t* NotStoredTipText =
    L"このデバイスの名前は設定ファイルに書けないため、短い名前を付けられません。";
// A character that code page 932 lacks: XGworks would get another one or "?".
constexpr const wchar_t* NotInCodePageTipText =
    L"この文字は XGworks の設定ファイルに保存できません (シフト JIS にない文字です)。";
