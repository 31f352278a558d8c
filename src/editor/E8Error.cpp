#include "editor/E8Error.h"

#include <windows.h>

const char* const ErrorMessageTable[E8ErrorCount] = {
    "正常終了しました。",
    "設定ファイルが見つかりませんでした。",
    "設定ファイルのある場所を指定していないため、設定を初期化することが出来ません。",
    "レジストリの情報からXGworksの位置を取得できませんでした。\n"
    "次に表示されるダイアログから、XGworksをインストールしたディレクトリを指定してください。",
    "ファイルの書き込みが出来なかったため、初期状態に戻せませんでした。\n"
    "再起動等をしてから、再度初期化を試みてください。",
    "不明なエラーが発生しました。",
};

const char* const UpdateFailedText = "設定ファイルを更新できませんでした。";
const char* const NoSettingsToUpdateText =
    "設定ファイルのある場所を指定していないため、更新することが出来ません。";
const char* const RestoreFailedText = "前の設定に戻せませんでした。";
const char* const NoBackupText = "前の設定に戻せるバックアップ DrvShortName.ini.bak がありません。";
const char* const BackupChangedText =
    "バックアップ DrvShortName.ini.bak は、確認の後にほかのプログラムによって変更されたため、"
    "戻しませんでした。もう一度押すと、今の内容で確かめられます。";

namespace {

// Why, by the step of the file operation that failed (FileStep).
const char* const FileFailureTable[] = {
    "",
    "パスが長すぎるため、バックアップ DrvShortName.ini.bak を作ることが出来ません。",
    "設定ファイルに書き込むことが出来ません。読み取り専用になっているか、"
    "ほかのプログラムが使用しています。",
    "設定ファイルのあるフォルダに一時ファイルを作ることが出来ません。",
    "一時ファイルに書き込むことが出来ません。ディスクの空きが足りないかもしれません。",
    "設定ファイルを置き換えることが出来ません。バックアップ DrvShortName.ini.bak に"
    "書き込めないか、ほかのプログラムが使用しています。",
    "バックアップ DrvShortName.ini.bak を読み込むことが出来ません。ほかのプログラムが"
    "使用しているかもしれません。",
};

} // namespace

std::string DescribeFileFailure(const std::string& headline, const FileResult& result) {
    static_assert(sizeof(FileFailureTable) / sizeof(*FileFailureTable) == FileBackupLocked + 1,
                  "a text for every step");
    std::string text = headline + "\n\n" + FileFailureTable[result.step] + "\n";
    char* system = nullptr;
    if (FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                           FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, result.error, 0, reinterpret_cast<char*>(&system), 0, nullptr)) {
        text += system;
        LocalFree(system);
        text.erase(text.find_last_not_of("\r\n") + 1);
    }
    char code[32];
    wsprintfA(code, " (%lu)", result.error);
    return text + code;
}
