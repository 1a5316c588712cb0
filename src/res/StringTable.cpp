#include "res/StringTable.h"

#include <QHash>

#include <algorithm>

namespace Res {
namespace {

// One line per string id. "\n" in a text is a line break; "%d" and "%s"
// are filled in by the caller with printf-style formatting.
const QHash<int, QString>& Table()
{
    static const QHash<int, QString> table = {
        // Program identity.
        {501, QStringLiteral("テスト作成システム")},
        {502, QStringLiteral("https://support.example.com/tavisko/")},

        // Captions, column headers and row texts of the dialogs and lists.
        {551, QStringLiteral("プリント%d")},
        {552, QStringLiteral("目次で指定")},
        {553, QStringLiteral("数値で指定")},
        {554, QStringLiteral("該当語彙 (%d)")},
        {555, QStringLiteral("%sで選択")},
        {556, QStringLiteral("%d ～ %d")},
        {557, QStringLiteral("（有効範囲：%d～%d）")},
        {558, QStringLiteral("形式")},
        {559, QStringLiteral("設問文")},
        {560, QStringLiteral("問題")},
        {561, QStringLiteral("解答")},
        {562, QStringLiteral("[%d] %s")},
        {563, QStringLiteral("　　(%d) %s")},
        {564, QStringLiteral("　　　《ダブルクリックで問題を追加します》")},
        {565, QStringLiteral("　　《現在の選択範囲に該当する問題がありません》")},
        {566, QStringLiteral("出題数")},
        {581, QStringLiteral("まず「出題形式選択」で出題形式を選び，次に「出題範囲選択」で出題範囲を選んでください。")},

        // Message boxes.
        {600, QStringLiteral("アプリケーションエラーが発生しました。\nエラーコード - %d")},
        {601, QStringLiteral("問題データベースが見つかりません。")},
        {602, QStringLiteral("問題データベースの読み込みに失敗しました。")},
        {603, QStringLiteral("アプリケーション情報保存用データの作成に失敗しました。\nアプリケーション終了時に選択状態などが保存されません。")},
        {604, QStringLiteral("出力に使用できるワープロアプリケーションがインストールされていません。")},
        {605, QStringLiteral("プリント作成用の雛形ファイルが見つかりません。")},
        {606, QStringLiteral("プリントデータの作成に失敗しました。")},
        {607, QStringLiteral("ヘルプファイル\n%s\nが見つかりません。")},
        {608, QStringLiteral("ヘルプの表示に失敗しました。")},
        {609, QStringLiteral("問題の自動選択に失敗しました。")},
        {610, QStringLiteral("問題の自動選択に失敗しました。\n出題形式が選択されていません。")},
        {611, QStringLiteral("小問数が不足している設問があります。")},
        {612, QStringLiteral("語彙が重複している問題があります。")},
        {613, QStringLiteral("最新版のチェック中にエラーが発生しました。\n時間を置いて再度ご確認ください。")},
        {614, QStringLiteral("問題の自働選択に時間がかかっています。\n出題する問題形式を減らして再度実行するか，\n手動にて問題選択してください。")},
        {631, QStringLiteral("雛形フォルダ\n%s\nを開けませんでした。")},
        {647, QStringLiteral("プリントに問題がありません。\n出題形式と出題範囲を選び，問題を選択してからプリントを作成してください。")},
        {651, QStringLiteral("選択状態などを保存できませんでした。\nアプリケーション情報保存用データが他のプログラムで使用中か、書き込めない状態です。")},
        {652, QStringLiteral("次の問題データベースを読み込めませんでした。\n%s")},

        // Status bar texts, confirmations and menu texts set at run time.
        {701, QStringLiteral("準備完了")},
        {702, QStringLiteral("プリント作成中...")},
        {703, QStringLiteral("プリントを削除します。")},
        {704, QStringLiteral("自動選択を行うには，出題形式と出題範囲を選択してください。")},
        {705, QStringLiteral("最新版をご利用いただけます")},
        {706, QStringLiteral("お使いの製品は最新版です。")},
    };
    return table;
}

} // namespace

QString String(int id)
{
    return Table().value(id);
}

bool HasString(int id)
{
    return Table().contains(id);
}

QList<int> StringIds()
{
    QList<int> ids = Table().keys();
    std::sort(ids.begin(), ids.end());
    return ids;
}

} // namespace Res
