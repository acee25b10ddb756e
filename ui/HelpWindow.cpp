#include "HelpWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace tav {

namespace {

// One text for the translation, so that the English body can be written as a whole.
constexpr char HelpBody[] = QT_TRANSLATE_NOOP("HelpWindow", R"(
<h2>Tavrenna MapEditor の使い方</h2>
<p>48 × 48 マスの戦闘マップを描き、整形し、チェックして、ゲームが読む <code>.map</code> ファイルに保存します。</p>

<h3>描く</h3>
<ul>
<li><b>キャラクターウインドウ</b>でタイルを左クリックして選びます。ドラッグするとポインタの下のタイルが選ばれます。</li>
<li><b>ペン</b>: 左ボタンを押している間、通ったマスをすべて塗ります。押してから離すまでが一回の作業です。</li>
<li><b>直線・四角形・塗りつぶし四角形・円・塗りつぶし円</b>: 一回目のクリックで始点、二回目のクリックで終点を決めて描きます。
始点で押したままドラッグし、終点で離しても描けます。
点滅するカーソルが描かれるマスを先に示します。右クリックか Esc で始点を取り消します。</li>
<li><b>塗りつぶし</b>: クリックしたマスとつながった同じタイルを、選んだタイルで塗りつぶします。</li>
<li><b>スポイト</b>: Alt を押しながらクリックするか中ボタンでクリックすると、そのマスのタイルがキャラクターウインドウで選ばれます。</li>
<li>ステータスバーにポインタのマス (X, Y) が、図形を描いている間は始点と終点が出ます。
その隣にポインタの下のタイル番号とその役割 (例: 0x30 水辺)、選んでいるタイルの番号が出ます。</li>
</ul>

<h3>元に戻す・やり直す</h3>
<p>すべての変更は一つずつ元に戻せます (直前の作業を撤回)。元に戻した作業はやり直せます (やり直す)。
保存したときの状態まで戻すと、マップは「変更なし」に戻ります。</p>

<h3>整形</h3>
<p>整形すると、水辺・高台の縁・山脈・森の並び・城の壁と門・隣り合う勢力の家の交互の絵柄が自動で付きます。
整形を解除すると、地形は元の基本タイルに戻ります。保存するときは必ず整形されます。</p>

<h3>マップチェック</h3>
<p>ゲームのルールに合っているかを調べます。</p>
<ul>
<li>どの勢力にも城がちょうど一つあること。</li>
<li>城がマップの外周にないこと。</li>
<li>城の門の前のマスが通れること。</li>
<li>外周に切れ目がないこと。</li>
</ul>
<p>問題があるとマップチェックウインドウが前面に出て、一行ずつ報告します。保存のときに問題があれば、保存するかどうかを聞きます。</p>

<h3>ファイル</h3>
<p><code>.map</code> ファイルは 2306 バイトです。先頭の 2304 バイトが列ごとのタイル番号 (マス (x, y) は x × 48 + y バイト目)、
2304 バイト目がキャラクター (タイルセット) の番号 × 10、最後の 1 バイトは 0 です。
保存は一時ファイルに書いてから置き換えるので、書き込みに失敗しても元のファイルは壊れません。</p>

<h3>表示</h3>
<p>キャラクターメニューで九つのタイルセットを切り替えます (マップのタイル番号は変わりません)。
ツールバーの三つのサイズボタンで、エディットウインドウを 32・16・8 ピクセルのマスに切り替えます。
Shift と矢印キーでマップ全体を一マスずらします。はみ出したマスは反対側に戻ります。</p>
<p>マウスのホイールでエディットウインドウを上下に、Shift を押しながら左右にスクロールします。
Ctrl を押しながらホイールを回すと、ポインタの下のマスをその場所に保ったままサイズを切り替えます。
プレビューウインドウの枠はエディットウインドウに見えている範囲です。プレビューをクリックまたはドラッグすると、
エディットウインドウがその場所へスクロールします。</p>

<h3>オプション</h3>
<p>「グリッド線を表示」でマスの境目に線を引きます。「環境設定」では起動時のタイルセットとサイズ、グリッド線、
カーソルの点滅、自動保存の間隔、言語を選べます。設定は次回の起動でも使われます。</p>
)");

// Beside the body, so that the analysis aids can be read and translated on their own.
constexpr char TerritoryHelp[] = QT_TRANSLATE_NOOP("HelpWindow", R"(
<h3>勢力範囲とバランス</h3>
<p>「オプション → 勢力範囲を重ねる」(F7) で、エディットウインドウの通れるマスを、そのマスに最初に着く勢力の色で薄く塗ります。
二つ以上の勢力が同じ歩数で着くマス (係争地) は灰色の斜線、どの城からも着けないマス (到達不能) は暗い青灰色になります。
色は勢力分析ウインドウの地図と同じで、描くたびに変わります。設定は次回の起動でも使われます。</p>
<p>重ねている間、ステータスバーにバランス (最大の領土÷最小の領土) と、直前の作業 (一筆・図形・塗りつぶし・貼り付け・コマンド)
による変化が出ます (例: バランス 1.08 (+0.03))。元に戻すと逆の変化が出ます。領土のない勢力があるときは「バランス —」です。
このパネルのツールチップに、領土が最も増えたか減った勢力が出ます。</p>

<h3>距離</h3>
<p>「編集 → 距離」(Ctrl+R) を選び、マスを押してドラッグすると、最初のマスからポインタの下のマスまで、ユニットが上下左右の
通れるマスを歩いて何歩かかるかがステータスバーに出て、その最短の道筋が描かれます。道がなければ「到達不能」と出ます。
マップが変わると (ずらす・元に戻すなど) その場で測り直します。
右クリックか Esc で消えます。マップは変わらず、元に戻す作業にもなりません。</p>
)");

// The figures that decide a turn-based game of four, on their own for the same reason.
constexpr char FairnessHelp[] = QT_TRANSLATE_NOOP("HelpWindow", R"(
<h3>移動コストと手番</h3>
<p>「オプション → 移動コスト…」で、平地・森林・山道・台地・勢力の家・勢力の畑・城 (城門も)・障害物・単独タイル・タイルなしの
マスに入るコストを 1〜9 か「通行不可」に決めます (城は 1〜9 のみ。水辺・山地・城壁はもともと通行不可)。「既定値に戻す」で全て 1 に
戻ります。領土、距離、バランス、重ねる絵、距離の測定はすべてこの表で測られ、表が全て 1 でない間は歩数ではなくコストと出ます。</p>
<p>勢力分析ウインドウの上の「手番の順」は左の勢力が先に動きます。間の「⇄入替」で隣の二つを入れ替えます。同じコストで着くマスは、
先に動く勢力のものになります (手番順の領土)。表と手番の順は次回の起動でも使われます。</p>
<p>勢力分析ウインドウの列: 手番順の領土。安全・脅威・喪失は自分の家と畑の数で、安全は敵の 2/3 以下のコストで着くもの、
喪失は敵が先に着くもの (同じコストなら手番の早い敵) か自分が着けないもの、脅威はその間です。余裕は家と畑での
敵のコスト−自分のコストの最小、前線は他の勢力の手番順の領土と辺で接するマスの数、広さは最初の城の門の前から
6 コスト以内で着くマスの数です。いちばん下の「差」の行は各列の最大−最小です。手番順のバランスは、手番の順を回した
4 通りそれぞれのバランスと、その最も悪い値 (先手の勢力の名前つき)、最大÷最小です。脅威のある家・畑はオレンジ、
失う家・畑は赤の枠で、勢力分析の地図と、重ねる絵の上に示されます。バランスのパネルは、手番順のバランスの最も悪い値が
バランスと違うとき「手番順」としてそれも示します。</p>
<p>「オプション → 先着差を重ねる」(Shift+F7) は勢力範囲の代わりに、各マスを最初に着く勢力が次の勢力より何コスト早いかで塗ります。
同着 (0) は赤紫の斜線、1 は赤、2 はオレンジ、3〜4 は黄、5〜7 は黄緑、8 以上は緑、一つの勢力しか着かないマスは青です。
前線が帯になって見えます。</p>
)");

// The symmetric editing and the generator, apart as well.
constexpr char SymmetryHelp[] = QT_TRANSLATE_NOOP("HelpWindow", R"(
<h3>対称描画</h3>
<p>「編集 → 対称描画」、F6 またはツールバーのボタンで、左右・上下・上下左右・点対称・四方回転の対称を選びます。
選んでいる間、ペン・図形・塗りつぶし・貼り付け・移動・切り取りなどの作業は、対称の位置にも同時に行われます。
対称の位置では勢力のタイルが対応する勢力のものになり、縁のタイルは向きが変わります。エディットウインドウとプレビューに対称の軸が出て、
カーソルと貼り付ける範囲は対称の位置にも出ます。ひと筆で自分が塗ったマスは、対称の位置の塗りで上書きされません。
城は、対称の位置の城と縦横とも 2 マス以内に入るところには置けません (整形で城の壁が重なるため)。
ペンや図形ではその城だけが置かれず、塗りつぶしや貼り付けは全体が取りやめになり、理由がステータスバーに出ます。
ステータスバーには選んでいる対称が出ます。</p>

<h3>対称にする</h3>
<p>「編集 → 対称にする」は、選んでいる対称に合わせてマップ全体を作り直します。元にする部分 (左半分など) を選ぶと、
その部分を整形してから他の部分に写し、マップ全体を整形します。対称の位置の城と重なる城は取り除かれ、メッセージで知らされます。
一回の作業として元に戻せます。</p>

<h3>自動生成</h3>
<p>「ファイル → 自動生成」で、種と条件からマップを作ります。対称、陸・山・森・台地・内陸の水の割合、家と畑の数、
タイルセットを選ぶと、右にできあがるマップとバランス、最も近い敵の城までの歩数が出ます。
種と条件が同じなら、いつも同じマップができます。範囲の外の数はそのまま残り、直すまで何が違うかが出ます。
OK を押すと、まだ保存していない新しいマップとして開きます。編集中のマップに変更があれば先に聞き、キャンセルすると自動生成に戻ります。</p>
)");

} // namespace

QString ShortcutTable(const QList<QAction*>& actions) {
    QString rows;
    for (const QAction* action : actions) {
        const QList<QKeySequence> keys = action->shortcuts();
        if (keys.isEmpty())
            continue;
        QStringList shown;
        for (const QKeySequence& key : keys)
            shown << key.toString(QKeySequence::NativeText).toHtmlEscaped();
        QString caption = action->text();
        caption.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
        rows += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n").arg(caption.toHtmlEscaped(), shown.join(QStringLiteral(" / ")));
    }
    return QStringLiteral("<h3>%1</h3>\n<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">\n"
                          "<tr><th>%2</th><th>%3</th></tr>\n")
               .arg(HelpWindow::tr("ショートカット"), HelpWindow::tr("コマンド"), HelpWindow::tr("キー")) +
           rows + QStringLiteral("</table>\n");
}

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
    setObjectName(QStringLiteral("helpWindow"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpText"));
    browser_->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(560, 520);
    setWindowTitle(tr("Tavrenna MapEditor ヘルプ"));
}

void HelpWindow::ShowHelp(const QList<QAction*>& actions) {
    actions_ = actions;
    FillText();
    show();
    raise();
    activateWindow();
}

void HelpWindow::FillText() {
    browser_->setHtml(QCoreApplication::translate("HelpWindow", HelpBody) +
                      QCoreApplication::translate("HelpWindow", TerritoryHelp) +
                      QCoreApplication::translate("HelpWindow", FairnessHelp) +
                      QCoreApplication::translate("HelpWindow", SymmetryHelp) + ShortcutTable(actions_));
}

void HelpWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("Tavrenna MapEditor ヘルプ"));
        if (!browser_->document()->isEmpty())
            FillText();
    }
    QWidget::changeEvent(event);
}

QString HelpWindow::Text() const {
    return browser_->toPlainText();
}

} // namespace tav
