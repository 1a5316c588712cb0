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
        {603,
            QStringLiteral("アプリケーション情報保存用データの作成に失敗しました。\nアプリケーション終了時に選択状態な"
                           "どが保存されません。")},
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
        {614,
            QStringLiteral("問題の自働選択に時間がかかっています。\n出題する問題形式を減らして再度実行するか，\n手動に"
                           "て問題選択してください。")},
        {620, QStringLiteral("雛形ファイル「%s」を読み込めません（ファイルがないか、読み取りが許可されていません）。")},
        {621, QStringLiteral("雛形ファイル「%s」はワープロの文書として開けません。")},
        {622, QStringLiteral("雛形に段落スタイル「%s」がありません。")},
        {623, QStringLiteral("雛形が表で始まっています。表の前に段落を一つ入れてください。")},
        {624, QStringLiteral("雛形の「%s」を置き換えられませんでした。")},
        {631, QStringLiteral("雛形フォルダ\n%s\nを開けませんでした。")},
        {647,
            QStringLiteral("プリントに問題がありません。\n出題形式と出題範囲を選び，問題を選択してからプリントを作成し"
                           "てください。")},
        {651,
            QStringLiteral("選択状態などを保存できませんでした。\nアプリケーション情報保存用データが他のプログラムで使"
                           "用中か、書き込めない状態です。")},
        {652, QStringLiteral("次の問題データベースを読み込めませんでした。\n%s")},
        {656, QStringLiteral("選択状態などを保存できませんでした。\n%s")},
        {653,
            QStringLiteral("二重起動を防ぐためのファイルを作成できないため、起動できません。\n%"
                           "s\nに書き込めるか確認してください。")},
        {654, QStringLiteral("保存されていたプリント%d枚のうち、最初の%d枚を復元しました。")},
        {655, QStringLiteral("問題データベースのファイルが変更されました。\n書籍を選び直してください。")},
        {660, QStringLiteral("プリントは%d枚までです。\nこれ以上追加できません。")},

        // Print runs into files, their limits, and the command line.
        {670, QStringLiteral("プリントが大きすぎるため作成できません。\n%s\n出題形式や小問の数を減らしてください。")},
        {671, QStringLiteral("書き込む項目が %d 件あります（上限 %d 件）。")},
        {672, QStringLiteral("%d 文字の長さの文があります（上限 %d 文字）。")},
        {673, QStringLiteral("文字が合計 %d 文字あります（上限 %d 文字）。")},
        {674, QStringLiteral("PDFファイルを保存できませんでした。\n%s")},
        {675, QStringLiteral("%s はフォルダです。")},
        {676, QStringLiteral("フォルダ %s がありません。")},
        {677, QStringLiteral("フォルダ %s に書き込めません。%s")},
        {678, QStringLiteral("%s に何も書き込まれませんでした。")},
        {679, QStringLiteral("%s にファイルを置けません。%s")},
        {615, QStringLiteral("書き込みが許可されていません。")},
        {616, QStringLiteral("ディスクの空きがありません。")},
        {689,
            QStringLiteral(
                "ウィンドウを表示できません。画面（ディスプレイ）のある環境で起動してください。\n"
                "ウィンドウなしでプリントを書き出すには tavisko --print-to を使います（tavisko --help を参照）。")},
        {680,
            QStringLiteral(
                "使い方: tavisko --print-to ファイル [--template 雛形名] [--auto-select]\n"
                "        tavisko --history [--csv]\n"
                "        tavisko --export-to ファイル [--auto-select]\n"
                "\n"
                "保存された選択（書籍・出題範囲・出題形式・プリント）のプリントを、ウィンドウを開かずに\n"
                "ファイルへ書き出します。形式はファイルの拡張子で決まります: .pdf .odt .docx .doc\n"
                "--export-to はワープロを使わずに、学習サイトやタブレット用の形式で書き出します:\n"
                ".html（自己採点ページ） .xml（Moodle XML） .gift（GIFT） .zip（QTI 2.1） .csv（解答一覧）\n"
                "\n"
                "  --print-to ファイル   書き出すファイル（途中で失敗したときは何も残しません）\n"
                "  --export-to ファイル  学習サイト・タブレット用に書き出すファイル（雛形は使いません）\n"
                "  --template 雛形名     使う雛形（省略時は保存された雛形）。.dot は Word、.jtt は一太郎の書式\n"
                "  --auto-select         保存された設定で問題を自動選択してから書き出します\n"
                "  --history             "
                "出題履歴を新しい順に一覧します（実行ID・日時・名前・書籍・プリント数・小問数・範囲）\n"
                "  --history --csv       出題履歴の全体を CSV（小問ごとに1行）で標準出力へ書き出します\n"
                "  --help                この説明を表示します\n"
                "  --version             版を表示します\n"
                "\n"
                "選択は保存しません。プログラムのウィンドウが開いていても使えます。\n"
                "終了コード: 0 成功、1 プリント作成の失敗、2 使い方の誤り、3 書籍・選択・雛形の不足、\n"
                "4 ワープロ（LibreOffice）がない、5 ファイルに書き込めない、6 中断された（SIGTERM・Ctrl+C）、\n"
                "7 出題履歴を読めない")},
        {681, QStringLiteral("出力ファイルの形式が分かりません: %s（拡張子は %s のいずれか）")},
        {682, QStringLiteral("雛形が見つかりません: %s")},
        {683, QStringLiteral("保存された選択がありません。先にプログラムで書籍・出題形式・プリントを選んでください。")},
        {684, QStringLiteral("書き出す小問がありません。")},
        {685, QStringLiteral("出力ファイルに書き込めません: %s")},
        {686, QStringLiteral("使い方が正しくありません: %s（tavisko --help を参照）")},
        {687, QStringLiteral("別の --print-to が終わるのを待っています。")},
        {688, QStringLiteral("別の --print-to が %d 分たっても終わらないため、作成をやめました。")},
        {690, QStringLiteral("出題履歴を読めません: %s")},

        // Status bar texts, confirmations and menu texts set at run time.
        {701, QStringLiteral("準備完了")},
        {702, QStringLiteral("プリント作成中...")},
        {703, QStringLiteral("プリントを削除します。")},
        {704, QStringLiteral("自動選択を行うには，出題形式と出題範囲を選択してください。")},
        {705, QStringLiteral("最新版をご利用いただけます")},
        {706, QStringLiteral("お使いの製品は最新版です。")},
        {707, QStringLiteral("作成中のプリントは破棄されます。よろしいですか？")},
        {708, QStringLiteral("出題済みの語を避けて選択しました（避けきれずに再出題した小問: %d）")},
        {751, QStringLiteral("PDFに保存しました: %s")},
        {752, QStringLiteral("プリント作成を中止しました。")},
        {753, QStringLiteral("PDFに保存中...")},
        {754,
            QStringLiteral("雛形に、雛形の外の画像などへのリンクがあります（%s）。リンク先は読み込まないため、"
                           "雛形に保存された画像か空の枠のまま印刷しました。")},
        {755, QStringLiteral(" ほか %s 件")},

        // The record of print runs.
        {901, QStringLiteral("出題履歴を記録できませんでした。プリントは作成されています。\n%s")},
        {902, QStringLiteral("出題履歴のファイルが壊れていたため、%s に移して新しい出題履歴を始めました。")},
        {903, QStringLiteral("出題履歴を読めませんでした。\n%s")},
        {904, QStringLiteral("この出題の書籍「%s」が見つかりません。書籍ファイルを確認してください。")},
        {905, QStringLiteral("次の小問は書籍にもう含まれていないため、プリントに戻せませんでした。\n%s")},
        {906, QStringLiteral("プリント%d　%s　%d: %s（文ID %d）")},
        {907, QStringLiteral("書籍「%s」は記録の後に変更されています。プリントの内容を確認してください。")},
        {908, QStringLiteral("選択した出題を出題履歴から削除します。よろしいですか？")},
        {909, QStringLiteral("CSVファイルを書き出せませんでした。\n%s")},

        // Export of the prints for learning platforms and the self-check page.
        {820, QStringLiteral("確認テスト")},
        {821, QStringLiteral("答え合わせ")},
        {822, QStringLiteral("解答を見る")},
        {823, QStringLiteral("解答を隠す")},
        {824, QStringLiteral("正解 %d / %d")},
        {825, QStringLiteral("(%d) の答え")},
        {826, QStringLiteral("○")},
        {827, QStringLiteral("×")},
        {828, QStringLiteral("プリント,番号,出題形式,問題文,解答,見出し語")},
        {829, QStringLiteral("答えを入力して「答え合わせ」を押してください。")},
        {837, QStringLiteral("書き出しました: %s")},
        {838, QStringLiteral("書き出しに失敗しました。\n%s")},
        {839, QStringLiteral("--export-to と --template は一緒に使えません（書き出しに雛形は使いません）。")},
    };
    return table;
}

} // namespace

QString String(int id)
{
    return Table().value(id);
}

QString Filled(int id, const QStringList& texts)
{
    const QString format = String(id);
    const QLatin1String conversion("%s");
    QString text;
    qsizetype from = 0;
    qsizetype used = 0;
    for (qsizetype at = format.indexOf(conversion); at >= 0; at = format.indexOf(conversion, from)) {
        text += format.mid(from, at - from) + texts.value(used++);
        from = at + conversion.size();
    }
    return text + format.mid(from);
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
