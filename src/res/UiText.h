#pragma once

#include <QString>

// Texts of the menus, dialogs and list headers that have no string id: the
// captions and labels of the dialog and menu resources. Texts with an id
// are in res/StringTable.cpp. "&" marks the mnemonic letter.
namespace Res::Text {

// Buttons shared by the dialogs.
inline const QString Ok = QStringLiteral("OK");
inline const QString Cancel = QStringLiteral("キャンセル");
inline const QString ArrowUp = QStringLiteral("↑");
inline const QString ArrowDown = QStringLiteral("↓");

// Menu bar of the main dialog (IDR_MAIN_MENU) and its commands.
inline const QString MenuFile = QStringLiteral("ファイル(&F)");
inline const QString MenuImportBook = QStringLiteral("単語帳を取り込む(&I)..."); // ID_IMPORT_BOOK
inline const QString MenuSavePdf = QStringLiteral("PDFに保存(&D)...");           // ID_SAVE_PDF
inline const QString MenuHistory = QStringLiteral("出題履歴(&Y)...");            // ID_HISTORY
inline const QString MenuExport = QStringLiteral("書き出し(&E)...");             // ID_EXPORT
inline const QString MenuAppExit = QStringLiteral("アプリケーションの終了(&X)"); // ID_APP_EXIT
inline const QString MenuSettings = QStringLiteral("設定(&C)");
inline const QString MenuOutputApplication = QStringLiteral("出力アプリケーション(&A)");
inline const QString MenuOutputWord = QStringLiteral("Microsoft Word(&W)");          // ID_OUTPUT_WORD
inline const QString MenuOutputTaro = QStringLiteral("ジャストシステム 一太郎(&T)"); // ID_OUTPUT_TARO
inline const QString MenuOptions = QStringLiteral("オプション(&O)...");              // ID_OPTIONS
inline const QString MenuTemplateFolder = QStringLiteral("雛形フォルダを開く(&T)");  // ID_TEMPLATE_FOLDER
inline const QString MenuHelp = QStringLiteral("ヘルプ(&H)");
inline const QString MenuHelpBrowser = QStringLiteral("ヘルプ(ブラウザ起動) (&H)"); // ID_HELP_BROWSER
inline const QString MenuHelpBrowserShortcut = QStringLiteral("F1");
inline const QString MenuAbout = QStringLiteral("バージョン情報(&A)...");            // ID_APP_ABOUT
inline const QString MenuCheckUpdate = QStringLiteral("最新版の有無をチェック(&K)"); // ID_CHECK_UPDATE

// The history window (DlgHistory) and its coverage (DlgCoverage).
inline const QString HistoryCaption = QStringLiteral("出題履歴");
inline const QString HistoryBookFilter = QStringLiteral("書籍(&B):");
inline const QString HistoryAllBooks = QStringLiteral("すべての書籍");
inline const QString HistoryWhen = QStringLiteral("日時");
inline const QString HistoryRunName = QStringLiteral("名前");
inline const QString HistoryBook = QStringLiteral("書籍");
inline const QString HistoryPrints = QStringLiteral("プリント");
inline const QString HistoryFormats = QStringLiteral("出題形式");
inline const QString HistoryRange = QStringLiteral("範囲");
inline const QString HistoryItems = QStringLiteral("小問");
inline const QString HistoryOpen = QStringLiteral("開く(&O)");
inline const QString HistoryName = QStringLiteral("名前を付ける(&N)...");
inline const QString HistoryNamePrompt = QStringLiteral("この出題に付ける名前:");
inline const QString HistoryDelete = QStringLiteral("削除(&D)");
inline const QString HistoryCoverage = QStringLiteral("出題状況(&S)...");
inline const QString HistoryCsv = QStringLiteral("CSV出力(&E)...");
inline const QString HistoryCsvFilter = QStringLiteral("CSV ファイル (*.csv)");
inline const QString HistoryClose = QStringLiteral("閉じる");
inline const QString CoverageCaption = QStringLiteral("出題状況");
inline const QString CoverageEntry = QStringLiteral("目次");
inline const QString CoverageInterval = QStringLiteral("範囲");
inline const QString CoverageKeywords = QStringLiteral("語数");
inline const QString CoverageTested = QStringLiteral("出題済み");
inline const QString CoverageLast = QStringLiteral("最終出題日");

// Question-order popup (IDR_ORDER_MENU), shown for books of type "101".
inline const QString MenuOrder = QStringLiteral("出題順(&S)");
inline const QString MenuOrderBook = QStringLiteral("書籍掲載順に並び替え(&B)"); // ID_ORDER_BOOK
inline const QString MenuOrderRandom = QStringLiteral("ランダムに並び替え(&R)"); // ID_ORDER_RANDOM

// Context menus of the print tabs (IDR_TAB_MENU) and of a print page (IDR_PRINT_MENU).
inline const QString MenuPrintAdd = QStringLiteral("プリント追加");               // ID_PRINT_ADD
inline const QString MenuPrintDelete = QStringLiteral("プリント削除");            // ID_PRINT_DELETE
inline const QString MenuPrintRename = QStringLiteral("クラス名を付ける(&N)..."); // ID_PRINT_RENAME
inline const QString RenameCaption = QStringLiteral("クラス名");
inline const QString RenamePrompt = QStringLiteral("このプリントのクラス名（空欄でプリント番号に戻ります）:");
inline const QString MenuSelectSentences = QStringLiteral("小問選択..."); // ID_SELECT_SENTENCES

// DlgMain (IDD_MAIN).
inline const QString MainCaption = QStringLiteral("テスト作成システム");
inline const QString MainBookLabel = QStringLiteral("選択書籍");
inline const QString MainChangeBook = QStringLiteral("変更(&B)");                 // IDC_CHANGE_BOOK
inline const QString MainUseBonus = QStringLiteral("書籍本体以外の例文を含める"); // IDC_USE_BONUS
inline const QString MainSelectQuestions = QStringLiteral("出題形式選択(&Q)");    // IDC_SELECT_QUESTIONS
inline const QString MainSelectRange = QStringLiteral("出題範囲選択(&R)");        // IDC_SELECT_RANGE
inline const QString MainAutoSelect = QStringLiteral("問題自動選択(&A)");         // IDC_AUTO_SELECT
inline const QString MainCreatePrint = QStringLiteral("プリント作成(&P)");        // IDC_CREATE_PRINT
// The status bar while a print run goes on: its cancel button, and the
// file dialog of ID_SAVE_PDF.
inline const QString PrintRunCancel = QStringLiteral("中止");
inline const QString SavePdfCaption = QStringLiteral("PDFに保存");
inline const QString SavePdfFilter = QStringLiteral("PDF (*.pdf)");
// The file dialog of ID_EXPORT: its file types pick the format, in the
// order of ExportFormat::All().
inline const QString ExportCaption = QStringLiteral("書き出し");
inline const QString ExportFilterPage = QStringLiteral("確認テスト（タブレット用 HTML） (*.html)");
inline const QString ExportFilterMoodle = QStringLiteral("Moodle XML (*.xml)");
inline const QString ExportFilterGift = QStringLiteral("GIFT (*.gift)");
inline const QString ExportFilterQti = QStringLiteral("QTI 2.1 パッケージ (*.zip)");
inline const QString ExportFilterKey = QStringLiteral("解答一覧 CSV (*.csv)");

// DlgAbout (IDD_ABOUT).
inline const QString AboutCaption = QStringLiteral("バージョン情報 テスト作成システム");
inline const QString AboutProgramName = QStringLiteral("テスト作成システム");
inline const QString AboutMaker = QStringLiteral("Copyright (C) morvane-k");
inline const QString AboutVersionFormat = QStringLiteral("Ver. %s"); // IDC_VERSION

// DlgBook (IDD_BOOK).
inline const QString BookCaption = QStringLiteral("書籍選択");

// DlgQuestion (IDD_QUESTION); the arrow buttons use ArrowUp and ArrowDown.
inline const QString QuestionCaption = QStringLiteral("出題形式選択");

// DlgSentence (IDD_SENTENCE).
inline const QString SentenceCaption = QStringLiteral("小問選択");
inline const QString SentenceInstructionLabel = QStringLiteral("設問文");
inline const QString SentenceSelectAll = QStringLiteral("全て選択(&A)"); // IDC_SELECT_ALL

// DlgAuto (IDD_AUTO).
inline const QString AutoCaption = QStringLiteral("問題自動選択");
inline const QString AutoClassCountLabel = QStringLiteral("作成クラス数(&C)");
inline const QString AutoClassCountSuffix = QStringLiteral("クラス分");
inline const QString AutoRandomize = QStringLiteral("選択結果をランダムに並べる(&R)"); // IDC_RANDOMIZE
inline const QString AutoCountsLabel = QStringLiteral("設問ごとの小問数(&S)");
inline const QString AutoBulkLabel = QStringLiteral("一括設定(&A)");
inline const QString AutoApplyAll = QStringLiteral("↑"); // IDC_APPLY_ALL
inline const QString AutoBulkSuffix = QStringLiteral("問");
inline const QString AutoNote = QStringLiteral("※問題の自動選択を行うと，現在の選択は削除されます。");
inline const QString AutoOk = QStringLiteral("自動選択"); // IDOK
inline const QString AutoClassNamesLabel = QStringLiteral("クラス名(&N)");
inline const QString AutoClassNameColumn = QStringLiteral("クラス名");             // IDC_CLASS_NAMES
inline const QString AutoAvoidTested = QStringLiteral("出題済みの語を避ける(&V)"); // IDC_AVOID_TESTED
inline const QString AutoAvoidRunsPrefix = QStringLiteral("直近(&K)");
inline const QString AutoAvoidRunsSuffix = QStringLiteral("回分");

// DlgConfig (IDD_CONFIG).
inline const QString ConfigCaption = QStringLiteral("オプション設定");
inline const QString ConfigPrintGroup = QStringLiteral("プリント");
inline const QString ConfigTitleLabel = QStringLiteral("タイトル");
inline const QString ConfigShowRange = QStringLiteral("出題範囲を表示する"); // IDC_SHOW_RANGE

// DlgRange (IDD_RANGE).
inline const QString RangeCaption = QStringLiteral("出題範囲選択");
inline const QString RangePrevious = QStringLiteral("前の範囲(&P)"); // IDC_RANGE_PREV
inline const QString RangeNext = QStringLiteral("次の範囲(&N)");     // IDC_RANGE_NEXT
inline const QString RangeKeywordLabel = QStringLiteral("該当語彙"); // IDC_KEYWORD_COUNT

// DlgRangeNumber (IDD_RANGE_NUMBER).
inline const QString RangeMethodLabel = QStringLiteral("範囲選択方法(&M)");
inline const QString RangeGroup = QStringLiteral("範囲指定(&R)");                  // IDC_RANGE_GROUP
inline const QString RangeValidPlaceholder = QStringLiteral("（有効範囲：n～n）"); // IDC_VALID_RANGE
inline const QString RangeTilde = QStringLiteral("～");
inline const QString RangeAdd = QStringLiteral("↓追加(&A)");    // IDC_ADD_INTERVAL
inline const QString RangeDelete = QStringLiteral("削除(&D)");  // IDC_DELETE_INTERVAL
inline const QString RangeClear = QStringLiteral("クリア(&C)"); // IDC_CLEAR_INTERVALS

// Column headers of the lists that have no string id.
inline const QString ColumnFrequency = QStringLiteral("頻出");
inline const QString ColumnIndex = QStringLiteral("目次");
inline const QString ColumnPage = QStringLiteral("頁");
inline const QString ColumnHeadword = QStringLiteral("見出し語");
inline const QString ColumnNumber = QStringLiteral("No.");
inline const QString ColumnKeyKanji = QStringLiteral("キー漢字");
inline const QString ColumnSerial = QStringLiteral("番号");

// Page labels of table-of-contents entries and sub-questions.
inline const QString PageSupplement = QStringLiteral("補充");
inline const QString PagePractice = QStringLiteral("実践");
inline const QString PageMock = QStringLiteral("模擬");
inline const QString PageAddendum = QStringLiteral("追録");
inline const QString PageAddendumFormat = QStringLiteral("追録%d");

// Frequency marks.
inline const QString FrequencyFrequent = QStringLiteral("○");
inline const QString FrequencyVeryFrequent = QStringLiteral("◎");

// DlgImportBook: a teacher's word list or question sheet made into a book.
inline const QString ImportCaption = QStringLiteral("単語帳を取り込む");
inline const QString ImportFileLabel = QStringLiteral("ファイル(&F):");
inline const QString ImportBrowse = QStringLiteral("参照(&B)...");
inline const QString ImportFileFilter
    = QStringLiteral("単語帳・問題シート (*.csv *.tsv *.txt *.ods *.xlsx);;すべてのファイル (*)");
// The file types of the flashcard programs, offered after ImportFileFilter's first.
inline const QString ImportFilterAnki = QStringLiteral("Anki のテキスト書き出し (*.txt *.csv *.tsv)");
inline const QString ImportFilterQuizlet = QStringLiteral("Quizlet のコピー (*.txt)");
inline const QString ImportFilterMnemosyne = QStringLiteral("Mnemosyne のタブ区切り (*.txt *.tsv *.tab)");
inline const QString ImportTypeLabel = QStringLiteral("種別(&T):");
inline const QString ImportType101 = QStringLiteral("101 英単語");
inline const QString ImportType301 = QStringLiteral("301 漢字");
inline const QString ImportType303 = QStringLiteral("303 漢字（頻出度つき）");
inline const QString ImportTitleLabel = QStringLiteral("題名(&N):");
inline const QString ImportPreviewLabel = QStringLiteral("先頭の行:");
inline const QString ImportProblemsLabel = QStringLiteral("問題点:");
inline const QString ImportRun = QStringLiteral("取り込む(&I)");
inline const QString ImportNoFile = QStringLiteral("取り込むファイルを選んでください。");
inline const QString ImportSummary = QStringLiteral("%1：語彙 %2 語、小問 %3 問、形式 %4 種類。%5 に作ります。");
inline const QString ImportMoreProblems = QStringLiteral("ほかに %1 件あります。");
inline const QString ImportHasErrors = QStringLiteral("エラーが %1 件あるため取り込めません。");
inline const QString ImportReplace = QStringLiteral("%1 は既にあります。置き換えますか？");
inline const QString ImportWriting = QStringLiteral("本を作っています...");
inline const QString ImportReading = QStringLiteral("ファイルを読んでいます...");
inline const QString ImportStopReading = QStringLiteral("読み取りをやめる(&P)");
inline const QString ImportStopped = QStringLiteral("取り込みをやめました。");
inline const QString ImportFailed = QStringLiteral("本を作れませんでした。\n%1");
// The shape of the file and, for a flashcard program's, what each column becomes.
inline const QString ImportFormatLabel = QStringLiteral("形式(&S):");
inline const QString ImportFormatAuto = QStringLiteral("ファイルから判断");
inline const QString ImportFormatSheet = QStringLiteral("列名つきの表");
inline const QString ImportFormatAnki = QStringLiteral("Anki のテキスト書き出し");
inline const QString ImportFormatQuizlet = QStringLiteral("Quizlet のコピー");
inline const QString ImportFormatMnemosyne = QStringLiteral("Mnemosyne のタブ区切り");
inline const QString ImportMappingLabel = QStringLiteral("列の割り当て（取り込む前に変えられます）:");
inline const QString ImportMappingColumn = QStringLiteral("列");
inline const QString ImportMappingSample = QStringLiteral("先頭の値");
inline const QString ImportMappingRole = QStringLiteral("取り込み先");
inline const QString ImportRoleNone = QStringLiteral("（使わない）");

} // namespace Res::Text
