#pragma once

// What the editor shows the user: read-only fields, list columns, message boxes, the file
// dialog's filter.

constexpr const char* AuthorText = "Varnel project";
constexpr const char* WebPageText = "(none)";

constexpr const char* OriginalNameColumn = "Original Name";
constexpr const char* ShortNameColumn = "Short Name";

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
