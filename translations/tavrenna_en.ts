<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>BlockClipboard</name>
    <message>
        <source>クリップボードに貼りつけられるタイルがありません。</source>
        <translation>The clipboard holds no tiles to paste.</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>新規作成</source>
        <translation>New map</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open a map</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>名前をつけて保存(&amp;A)</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>名前をつけて保存</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>画像として書き出す(&amp;E)</source>
        <translation>&amp;Export as Image...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>エディタの終了</source>
        <translation>Exit the editor</translation>
    </message>
    <message>
        <source>ペン(&amp;P)</source>
        <translation>&amp;Pen</translation>
    </message>
    <message>
        <source>ペン</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>直線(&amp;L)</source>
        <translation>&amp;Line</translation>
    </message>
    <message>
        <source>直線</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>四角形(&amp;S)</source>
        <translation>&amp;Box</translation>
    </message>
    <message>
        <source>四角形</source>
        <translation>Box</translation>
    </message>
    <message>
        <source>塗りつぶし四角形(&amp;B)</source>
        <translation>F&amp;illed Box</translation>
    </message>
    <message>
        <source>塗りつぶし四角形</source>
        <translation>Filled box</translation>
    </message>
    <message>
        <source>円(&amp;R)</source>
        <translation>&amp;Circle</translation>
    </message>
    <message>
        <source>円</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>塗りつぶし円(&amp;M)</source>
        <translation>Filled Circl&amp;e</translation>
    </message>
    <message>
        <source>塗りつぶし円</source>
        <translation>Filled circle</translation>
    </message>
    <message>
        <source>塗りつぶす(&amp;F)</source>
        <translation>&amp;Fill Area</translation>
    </message>
    <message>
        <source>塗りつぶし</source>
        <translation>Fill area</translation>
    </message>
    <message>
        <source>範囲選択</source>
        <translation>Select Range</translation>
    </message>
    <message>
        <source>選択範囲を切り取る(&amp;V)</source>
        <translation>Cu&amp;t Selection</translation>
    </message>
    <message>
        <source>選択範囲を切り取る</source>
        <translation>Cut the selection</translation>
    </message>
    <message>
        <source>選択範囲をコピー(&amp;C)</source>
        <translation>C&amp;opy Selection</translation>
    </message>
    <message>
        <source>貼りつけ(&amp;P)</source>
        <translation>P&amp;aste</translation>
    </message>
    <message>
        <source>貼りつけ</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>同じ位置に貼りつけ</source>
        <translation>Paste in Place</translation>
    </message>
    <message>
        <source>全て選択</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>選択を解除</source>
        <translation>Deselect</translation>
    </message>
    <message>
        <source>置換</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>交換</source>
        <translation>Exchange</translation>
    </message>
    <message>
        <source>整形する</source>
        <translation>Shape Map</translation>
    </message>
    <message>
        <source>マップを整形する</source>
        <translation>Shape the map</translation>
    </message>
    <message>
        <source>整形を解除する</source>
        <translation>Unshape Map</translation>
    </message>
    <message>
        <source>マップの整形を解除する</source>
        <translation>Unshape the map</translation>
    </message>
    <message>
        <source>直前の作業を撤回(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>直前の作業を取り消す</source>
        <translation>Undo the last change</translation>
    </message>
    <message>
        <source>やり直す(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>エディットウインドウ</source>
        <translation>Edit Window</translation>
    </message>
    <message>
        <source>キャラクターウインドウ</source>
        <translation>Tile Palette</translation>
    </message>
    <message>
        <source>プレビューウインドウ</source>
        <translation>Preview Window</translation>
    </message>
    <message>
        <source>マップチェックウインドウ</source>
        <translation>Map Check Window</translation>
    </message>
    <message>
        <source>勢力分析ウインドウ</source>
        <translation>Faction Analysis Window</translation>
    </message>
    <message>
        <source>グリッド線を表示(&amp;G)</source>
        <translation>Show &amp;Grid Lines</translation>
    </message>
    <message>
        <source>環境設定(&amp;P)...</source>
        <translation>&amp;Preferences...</translation>
    </message>
    <message>
        <source>バージョン(&amp;V)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>エディット面を左にシフト</source>
        <translation>Shift Map Left</translation>
    </message>
    <message>
        <source>エディット面を右にシフト</source>
        <translation>Shift Map Right</translation>
    </message>
    <message>
        <source>エディット面を上にシフト</source>
        <translation>Shift Map Up</translation>
    </message>
    <message>
        <source>エディット面を下にシフト</source>
        <translation>Shift Map Down</translation>
    </message>
    <message>
        <source>エディットサイズをＬする</source>
        <translation>Large Tiles</translation>
    </message>
    <message>
        <source>大きいサイズ</source>
        <translation>Large tiles</translation>
    </message>
    <message>
        <source>エディットサイズをＭにする</source>
        <translation>Medium Tiles</translation>
    </message>
    <message>
        <source>普通のサイズ</source>
        <translation>Medium tiles</translation>
    </message>
    <message>
        <source>エディットサイズをＳにする</source>
        <translation>Small Tiles</translation>
    </message>
    <message>
        <source>小さいサイズ</source>
        <translation>Small tiles</translation>
    </message>
    <message>
        <source>マップチェック</source>
        <translation>Check the map</translation>
    </message>
    <message>
        <source>勢力分析</source>
        <translation>Faction Analysis</translation>
    </message>
    <message>
        <source>ヘルプを開く(&amp;H)</source>
        <translation>&amp;Help Topics</translation>
    </message>
    <message>
        <source>ヘルプを開きます</source>
        <translation>Open the help</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>キャラクター(&amp;C)</source>
        <translation>&amp;Tile Set</translation>
    </message>
    <message>
        <source>ウインドウ(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>非メニュー項目</source>
        <translation>Hidden Items</translation>
    </message>
    <message>
        <source>最近使ったファイル(&amp;R)</source>
        <translation>&amp;Recent Files</translation>
    </message>
    <message>
        <source>距離(&amp;D)</source>
        <translation>&amp;Distance</translation>
    </message>
    <message>
        <source>距離</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>勢力範囲を重ねる(&amp;T)</source>
        <translation>Show &amp;Territory</translation>
    </message>
    <message>
        <source>対称描画(&amp;Y)</source>
        <translation>S&amp;ymmetric Painting</translation>
    </message>
    <message>
        <source>対称描画の切り替え</source>
        <translation>Next Symmetry Mode</translation>
    </message>
    <message>
        <source>対称にする</source>
        <translation>Make Symmetric</translation>
    </message>
    <message>
        <source>自動生成(&amp;G)…</source>
        <translation>&amp;Generate Map...</translation>
    </message>
    <message>
        <source>先着差を重ねる(&amp;L)</source>
        <translation>Show &amp;Lead</translation>
    </message>
    <message>
        <source>移動コスト(&amp;M)…</source>
        <translation>&amp;Movement Costs...</translation>
    </message>
</context>
<context>
    <name>EditorSession</name>
    <message>
        <source>「%1」というオプションはありません。</source>
        <translation>There is no option &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>開けるファイルは1つだけです。</source>
        <translation>Only one file can be opened.</translation>
    </message>
    <message>
        <source>（名前のない新しいマップ）</source>
        <translation>(new map without a name)</translation>
    </message>
    <message>
        <source>前回、保存されないまま終了したマップがあります。
ファイル: %1
記録した時刻: %2

復元しますか？</source>
        <translation>A map was left unsaved when the editor last ended.
File: %1
Recorded at: %2

Restore it?</translation>
    </message>
    <message>
        <source>使い方: TavrennaMapEditor [ファイル.map]</source>
        <translation>Usage: TavrennaMapEditor [FILE.map]</translation>
    </message>
    <message>
        <source>設定ファイルを使えません。既定の設定で起動しました。
「%1」は通常のファイルではないため、読み込みも保存もしません。</source>
        <translation>The settings file cannot be used; the editor started with the default settings.
&quot;%1&quot; is not a regular file, so settings are neither read from it nor saved to it.</translation>
    </message>
    <message>
        <source>復元用フォルダに通常のファイルでないものがあります。
開かずにそのままにしました: %1</source>
        <translation>The recovery folder holds something that is not a regular file.
Left as it is, unopened: %1</translation>
    </message>
    <message>
        <source>復元用のコピーを保存できません。
%1</source>
        <translation>Recovery copies cannot be saved.
%1</translation>
    </message>
    <message>
        <source>移動コストと手番の順</source>
        <translation>movement costs and turn order</translation>
    </message>
    <message>
        <source>移動コスト</source>
        <translation>movement costs</translation>
    </message>
    <message>
        <source>手番の順</source>
        <translation>turn order</translation>
    </message>
    <message>
        <source>設定の%1を読めないため、既定値を使います。</source>
        <translation>The stored %1 cannot be read; the defaults are used.</translation>
    </message>
</context>
<context>
    <name>Factions</name>
    <message>
        <source>カルドア領(緑)</source>
        <translation>Cardoa Domain (green)</translation>
    </message>
    <message>
        <source>ブレスト領(赤)</source>
        <translation>Brest Domain (red)</translation>
    </message>
    <message>
        <source>シオネル領(白)</source>
        <translation>Sionel Domain (white)</translation>
    </message>
    <message>
        <source>ヴォルグ領(黒)</source>
        <translation>Volg Domain (black)</translation>
    </message>
    <message>
        <source>ピクルス亭(赤)</source>
        <translation>Pickles Inn (red)</translation>
    </message>
    <message>
        <source>モルテ食堂(青)</source>
        <translation>Molte Diner (blue)</translation>
    </message>
    <message>
        <source>ガレット市場(黄)</source>
        <translation>Galette Market (yellow)</translation>
    </message>
    <message>
        <source>ポタージュ組合(白)</source>
        <translation>Potage Guild (white)</translation>
    </message>
    <message>
        <source>ハオラン家(緑)</source>
        <translation>House Haoran (green)</translation>
    </message>
    <message>
        <source>ジンユェ家(赤)</source>
        <translation>House Jinyue (red)</translation>
    </message>
    <message>
        <source>テンシュウ家(白)</source>
        <translation>House Tenshu (white)</translation>
    </message>
    <message>
        <source>メイファ家(青)</source>
        <translation>House Meifa (blue)</translation>
    </message>
    <message>
        <source>ギアフレームＡ(青)</source>
        <translation>Gear Frame A (blue)</translation>
    </message>
    <message>
        <source>スチールドールＡ(赤)</source>
        <translation>Steel Doll A (red)</translation>
    </message>
    <message>
        <source>ギアフレームＢ(白)</source>
        <translation>Gear Frame B (white)</translation>
    </message>
    <message>
        <source>スチールドールＢ(黒)</source>
        <translation>Steel Doll B (black)</translation>
    </message>
    <message>
        <source>ネブラ公領(黒)</source>
        <translation>Duchy of Nebra (black)</translation>
    </message>
    <message>
        <source>ソルテ公領(黄)</source>
        <translation>Duchy of Solte (yellow)</translation>
    </message>
    <message>
        <source>フラム公領(赤)</source>
        <translation>Duchy of Flam (red)</translation>
    </message>
    <message>
        <source>リーフェ公領(緑)</source>
        <translation>Duchy of Riefe (green)</translation>
    </message>
    <message>
        <source>グリフォン同盟(赤)</source>
        <translation>Griffin Alliance (red)</translation>
    </message>
    <message>
        <source>ゴーレム連邦(緑)</source>
        <translation>Golem Federation (green)</translation>
    </message>
    <message>
        <source>ケンタウロス連邦(白)</source>
        <translation>Centaur Federation (white)</translation>
    </message>
    <message>
        <source>レイス同盟(黒)</source>
        <translation>Wraith Alliance (black)</translation>
    </message>
    <message>
        <source>サンゴ岬(黄)</source>
        <translation>Coral Cape (yellow)</translation>
    </message>
    <message>
        <source>カイリ湾(赤)</source>
        <translation>Kairi Bay (red)</translation>
    </message>
    <message>
        <source>シオサイ入江(白)</source>
        <translation>Shiosai Inlet (white)</translation>
    </message>
    <message>
        <source>ウミネコ港(黒)</source>
        <translation>Gull Harbour (black)</translation>
    </message>
    <message>
        <source>ネオン一家(白)</source>
        <translation>Neon Family (white)</translation>
    </message>
    <message>
        <source>シャドウ一家(黒)</source>
        <translation>Shadow Family (black)</translation>
    </message>
    <message>
        <source>ストリート組(緑)</source>
        <translation>Street Gang (green)</translation>
    </message>
    <message>
        <source>ローズ組(赤)</source>
        <translation>Rose Gang (red)</translation>
    </message>
    <message>
        <source>ラッコ隊(緑)</source>
        <translation>Otter Squad (green)</translation>
    </message>
    <message>
        <source>キツネ隊(赤)</source>
        <translation>Fox Squad (red)</translation>
    </message>
    <message>
        <source>ヒツジ隊(白)</source>
        <translation>Sheep Squad (white)</translation>
    </message>
    <message>
        <source>ヒヨコ隊(黄)</source>
        <translation>Chick Squad (yellow)</translation>
    </message>
</context>
<context>
    <name>FileController</name>
    <message>
        <source>タヴレンナマップファイル(*.map)|*.map</source>
        <translation>Tavrenna map files (*.map)|*.map</translation>
    </message>
    <message>
        <source>PNG画像(*.png)|*.png</source>
        <translation>PNG images (*.png)|*.png</translation>
    </message>
    <message>
        <source>編集中のマップは破棄されますがよろしいですか</source>
        <translation>The map being edited will be discarded. Continue?</translation>
    </message>
    <message>
        <source>マップチェックでエラーが発生しました。保存してもよろしいですか？</source>
        <translation>The map check found errors. Save anyway?</translation>
    </message>
    <message>
        <source>「%1」は、開いた後または保存した後にほかのプログラムによって変更されています。
上書きしてもよろしいですか？</source>
        <translation>&quot;%1&quot; has been changed by another program since it was opened or saved.
Overwrite it?</translation>
    </message>
    <message>
        <source>1マスの大きさ（ピクセル）:</source>
        <translation>Cell size (pixels):</translation>
    </message>
    <message>
        <source>画像として書き出す</source>
        <translation>Export as Image</translation>
    </message>
</context>
<context>
    <name>FileErrors</name>
    <message>
        <source>ファイルまたはフォルダが見つかりません</source>
        <translation>No such file or folder</translation>
    </message>
    <message>
        <source>アクセスが拒否されました</source>
        <translation>Access denied</translation>
    </message>
    <message>
        <source>この操作は許可されていません</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>ディスクの空き容量が足りません</source>
        <translation>Not enough space on the disk</translation>
    </message>
    <message>
        <source>ディスク使用量の上限に達しました</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>フォルダです</source>
        <translation>Is a folder</translation>
    </message>
    <message>
        <source>パスの途中にフォルダではないものがあります</source>
        <translation>A part of the path is not a folder</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>シンボリックリンクが多すぎます</source>
        <translation>Too many symbolic links</translation>
    </message>
    <message>
        <source>入出力エラーが発生しました</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>開いているファイルが多すぎます</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>ファイルが使用中です</source>
        <translation>File is busy</translation>
    </message>
    <message>
        <source>フォルダです。マップファイルではありません</source>
        <translation>It is a folder, not a map file</translation>
    </message>
    <message>
        <source>パイプです。通常のファイルではありません</source>
        <translation>It is a pipe, not a regular file</translation>
    </message>
    <message>
        <source>デバイスです。通常のファイルではありません</source>
        <translation>It is a device, not a regular file</translation>
    </message>
    <message>
        <source>通常のファイルではありません</source>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>ファイルを最後まで書き込めませんでした</source>
        <translation>The file could not be written completely</translation>
    </message>
    <message>
        <source>「%1」を読み込めませんでした。
%2。</source>
        <translation>Could not read &quot;%1&quot;.
%2.</translation>
    </message>
    <message>
        <source>「%1」に書き込めませんでした。
%2。</source>
        <translation>Could not write &quot;%1&quot;.
%2.</translation>
    </message>
    <message>
        <source>誰でも書き込める共有フォルダで他のユーザーが作ったリンクです。安全のためたどりません</source>
        <translation>It is a link another user made in a shared folder anyone can write to; it is not followed, for safety</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>
&lt;h2&gt;Tavrenna MapEditor の使い方&lt;/h2&gt;
&lt;p&gt;48 × 48 マスの戦闘マップを描き、整形し、チェックして、ゲームが読む &lt;code&gt;.map&lt;/code&gt; ファイルに保存します。&lt;/p&gt;

&lt;h3&gt;描く&lt;/h3&gt;
&lt;ul&gt;
&lt;li&gt;&lt;b&gt;キャラクターウインドウ&lt;/b&gt;でタイルを左クリックして選びます。ドラッグするとポインタの下のタイルが選ばれます。&lt;/li&gt;
&lt;li&gt;&lt;b&gt;ペン&lt;/b&gt;: 左ボタンを押している間、通ったマスをすべて塗ります。押してから離すまでが一回の作業です。&lt;/li&gt;
&lt;li&gt;&lt;b&gt;直線・四角形・塗りつぶし四角形・円・塗りつぶし円&lt;/b&gt;: 一回目のクリックで始点、二回目のクリックで終点を決めて描きます。
始点で押したままドラッグし、終点で離しても描けます。
点滅するカーソルが描かれるマスを先に示します。右クリックか Esc で始点を取り消します。&lt;/li&gt;
&lt;li&gt;&lt;b&gt;塗りつぶし&lt;/b&gt;: クリックしたマスとつながった同じタイルを、選んだタイルで塗りつぶします。&lt;/li&gt;
&lt;li&gt;&lt;b&gt;スポイト&lt;/b&gt;: Alt を押しながらクリックするか中ボタンでクリックすると、そのマスのタイルがキャラクターウインドウで選ばれます。&lt;/li&gt;
&lt;li&gt;ステータスバーにポインタのマス (X, Y) が、図形を描いている間は始点と終点が出ます。
その隣にポインタの下のタイル番号とその役割 (例: 0x30 水辺)、選んでいるタイルの番号が出ます。&lt;/li&gt;
&lt;/ul&gt;

&lt;h3&gt;元に戻す・やり直す&lt;/h3&gt;
&lt;p&gt;すべての変更は一つずつ元に戻せます (直前の作業を撤回)。元に戻した作業はやり直せます (やり直す)。
保存したときの状態まで戻すと、マップは「変更なし」に戻ります。&lt;/p&gt;

&lt;h3&gt;整形&lt;/h3&gt;
&lt;p&gt;整形すると、水辺・高台の縁・山脈・森の並び・城の壁と門・隣り合う勢力の家の交互の絵柄が自動で付きます。
整形を解除すると、地形は元の基本タイルに戻ります。保存するときは必ず整形されます。&lt;/p&gt;

&lt;h3&gt;マップチェック&lt;/h3&gt;
&lt;p&gt;ゲームのルールに合っているかを調べます。&lt;/p&gt;
&lt;ul&gt;
&lt;li&gt;どの勢力にも城がちょうど一つあること。&lt;/li&gt;
&lt;li&gt;城がマップの外周にないこと。&lt;/li&gt;
&lt;li&gt;城の門の前のマスが通れること。&lt;/li&gt;
&lt;li&gt;外周に切れ目がないこと。&lt;/li&gt;
&lt;/ul&gt;
&lt;p&gt;問題があるとマップチェックウインドウが前面に出て、一行ずつ報告します。保存のときに問題があれば、保存するかどうかを聞きます。&lt;/p&gt;

&lt;h3&gt;ファイル&lt;/h3&gt;
&lt;p&gt;&lt;code&gt;.map&lt;/code&gt; ファイルは 2306 バイトです。先頭の 2304 バイトが列ごとのタイル番号 (マス (x, y) は x × 48 + y バイト目)、
2304 バイト目がキャラクター (タイルセット) の番号 × 10、最後の 1 バイトは 0 です。
保存は一時ファイルに書いてから置き換えるので、書き込みに失敗しても元のファイルは壊れません。&lt;/p&gt;

&lt;h3&gt;表示&lt;/h3&gt;
&lt;p&gt;キャラクターメニューで九つのタイルセットを切り替えます (マップのタイル番号は変わりません)。
ツールバーの三つのサイズボタンで、エディットウインドウを 32・16・8 ピクセルのマスに切り替えます。
Shift と矢印キーでマップ全体を一マスずらします。はみ出したマスは反対側に戻ります。&lt;/p&gt;
&lt;p&gt;マウスのホイールでエディットウインドウを上下に、Shift を押しながら左右にスクロールします。
Ctrl を押しながらホイールを回すと、ポインタの下のマスをその場所に保ったままサイズを切り替えます。
プレビューウインドウの枠はエディットウインドウに見えている範囲です。プレビューをクリックまたはドラッグすると、
エディットウインドウがその場所へスクロールします。&lt;/p&gt;

&lt;h3&gt;オプション&lt;/h3&gt;
&lt;p&gt;「グリッド線を表示」でマスの境目に線を引きます。「環境設定」では起動時のタイルセットとサイズ、グリッド線、
カーソルの点滅、自動保存の間隔、言語を選べます。設定は次回の起動でも使われます。&lt;/p&gt;
</source>
        <translation>
&lt;h2&gt;Using Tavrenna MapEditor&lt;/h2&gt;
&lt;p&gt;Draw a 48 × 48 battle map, shape it, check it, and save it as the &lt;code&gt;.map&lt;/code&gt; file the game reads.&lt;/p&gt;

&lt;h3&gt;Drawing&lt;/h3&gt;
&lt;ul&gt;
&lt;li&gt;Left-click a tile in the &lt;b&gt;tile palette&lt;/b&gt; to pick it. Dragging picks the tile under the pointer.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Pen&lt;/b&gt;: paints every cell the pointer passes while the left button is held. One press and release is one change.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Line, Box, Filled Box, Circle, Filled Circle&lt;/b&gt;: the first click sets the start point, the second click the end point.
You can also press at the start point, drag, and release at the end point.
The blinking cursor shows the cells that will be drawn. Right-click or Esc drops the start point.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Fill Area&lt;/b&gt;: fills the connected cells of the same tile as the clicked cell with the picked tile.&lt;/li&gt;
&lt;li&gt;&lt;b&gt;Eyedropper&lt;/b&gt;: click with Alt held, or with the middle button, to pick the tile of that cell in the tile palette.&lt;/li&gt;
&lt;li&gt;The status bar shows the cell under the pointer (X, Y), and the start and end points while you draw a shape.
Next to it are the code of the tile under the pointer with its role (e.g. 0x30 shore) and the code of the picked tile.&lt;/li&gt;
&lt;/ul&gt;

&lt;h3&gt;Undo and redo&lt;/h3&gt;
&lt;p&gt;Every change can be undone one at a time (Undo), and undone changes can be redone (Redo).
Going back to the state when the map was saved makes the map unmodified again.&lt;/p&gt;

&lt;h3&gt;Shaping&lt;/h3&gt;
&lt;p&gt;Shaping adds shores, plateau edges, mountain ranges, forest rows, castle walls and gates, and the alternating
pictures of neighbouring faction houses automatically. Unshaping returns the terrain to its basic tiles.
A map is always shaped when it is saved.&lt;/p&gt;

&lt;h3&gt;Map check&lt;/h3&gt;
&lt;p&gt;Checks that the map follows the game&apos;s rules:&lt;/p&gt;
&lt;ul&gt;
&lt;li&gt;Every faction has exactly one castle.&lt;/li&gt;
&lt;li&gt;No castle is on the edge of the map.&lt;/li&gt;
&lt;li&gt;The cell in front of each castle gate can be passed.&lt;/li&gt;
&lt;li&gt;The map&apos;s border has no gaps.&lt;/li&gt;
&lt;/ul&gt;
&lt;p&gt;When there is a problem, the map check window comes to the front and reports it line by line. If there is a problem when you save, you are asked whether to save anyway.&lt;/p&gt;

&lt;h3&gt;Files&lt;/h3&gt;
&lt;p&gt;A &lt;code&gt;.map&lt;/code&gt; file is 2306 bytes. The first 2304 bytes are the tile codes column by column (cell (x, y) is byte x × 48 + y),
byte 2304 is the tile set&apos;s number × 10, and the last byte is 0.
Saving writes a temporary file first and then replaces the old one, so a failed write never damages the original file.&lt;/p&gt;

&lt;h3&gt;View&lt;/h3&gt;
&lt;p&gt;The Tile Set menu switches between the nine tile sets (the map&apos;s tile codes stay the same).
The three size buttons of the tool bar switch the edit window between cells of 32, 16 and 8 pixels.
Shift with an arrow key moves the whole map by one cell; cells pushed off one side come back on the other.&lt;/p&gt;
&lt;p&gt;The mouse wheel scrolls the edit window up and down, and left and right with Shift held.
Turning the wheel with Ctrl held switches the size while keeping the cell under the pointer in its place.
The frame in the preview window is the part of the map the edit window shows. Clicking or dragging in the preview
scrolls the edit window there.&lt;/p&gt;

&lt;h3&gt;Options&lt;/h3&gt;
&lt;p&gt;&quot;Show Grid Lines&quot; draws lines between the cells. &quot;Preferences&quot; chooses the tile set and size at start-up, grid lines,
cursor blinking, the autosave interval and the language. The settings are kept for the next start.&lt;/p&gt;
</translation>
    </message>
    <message>
        <source>
&lt;h3&gt;勢力範囲とバランス&lt;/h3&gt;
&lt;p&gt;「オプション → 勢力範囲を重ねる」(F7) で、エディットウインドウの通れるマスを、そのマスに最初に着く勢力の色で薄く塗ります。
二つ以上の勢力が同じ歩数で着くマス (係争地) は灰色の斜線、どの城からも着けないマス (到達不能) は暗い青灰色になります。
色は勢力分析ウインドウの地図と同じで、描くたびに変わります。設定は次回の起動でも使われます。&lt;/p&gt;
&lt;p&gt;重ねている間、ステータスバーにバランス (最大の領土÷最小の領土) と、直前の作業 (一筆・図形・塗りつぶし・貼り付け・コマンド)
による変化が出ます (例: バランス 1.08 (+0.03))。元に戻すと逆の変化が出ます。領土のない勢力があるときは「バランス —」です。
このパネルのツールチップに、領土が最も増えたか減った勢力が出ます。&lt;/p&gt;

&lt;h3&gt;距離&lt;/h3&gt;
&lt;p&gt;「編集 → 距離」(Ctrl+R) を選び、マスを押してドラッグすると、最初のマスからポインタの下のマスまで、ユニットが上下左右の
通れるマスを歩いて何歩かかるかがステータスバーに出て、その最短の道筋が描かれます。道がなければ「到達不能」と出ます。
マップが変わると (ずらす・元に戻すなど) その場で測り直します。
右クリックか Esc で消えます。マップは変わらず、元に戻す作業にもなりません。&lt;/p&gt;
</source>
        <translation>
&lt;h3&gt;Territory and balance&lt;/h3&gt;
&lt;p&gt;Options → Show Territory (F7) tints every open cell of the edit window lightly in the colour of the faction that reaches it first.
Cells two or more factions reach in the same number of steps (contested) are hatched grey; cells no castle reaches (unreachable) turn dark slate.
The colours are those of the faction analysis window&apos;s map, and they follow every change. The setting is kept for the next start.&lt;/p&gt;
&lt;p&gt;While the territory is shown, the status bar shows the balance (largest territory ÷ smallest) and how the last step (a stroke, shape, fill, paste or command)
changed it (e.g. Balance 1.08 (+0.03)). Undo shows the reverse change. While a faction has no territory it reads “Balance —”.
The panel&apos;s tooltip names the faction whose territory grew or shrank most.&lt;/p&gt;

&lt;h3&gt;Distance&lt;/h3&gt;
&lt;p&gt;Choose Edit → Distance (Ctrl+R), press on a cell and drag: the status bar shows how many steps a unit needs from the first cell to the cell under the pointer,
walking up, down, left and right through open cells, and the shortest walk is drawn. Without a walk it says “unreachable”.
When the map changes (a shift, an undo and so on) it is measured again at once.
A right click or Esc clears it. The map does not change and nothing is added to undo.&lt;/p&gt;
</translation>
    </message>
    <message>
        <source>
&lt;h3&gt;移動コストと手番&lt;/h3&gt;
&lt;p&gt;「オプション → 移動コスト…」で、平地・森林・山道・台地・勢力の家・勢力の畑・城 (城門も)・障害物・単独タイル・タイルなしの
マスに入るコストを 1〜9 か「通行不可」に決めます (城は 1〜9 のみ。水辺・山地・城壁はもともと通行不可)。「既定値に戻す」で全て 1 に
戻ります。領土、距離、バランス、重ねる絵、距離の測定はすべてこの表で測られ、表が全て 1 でない間は歩数ではなくコストと出ます。&lt;/p&gt;
&lt;p&gt;勢力分析ウインドウの上の「手番の順」は左の勢力が先に動きます。間の「⇄入替」で隣の二つを入れ替えます。同じコストで着くマスは、
先に動く勢力のものになります (手番順の領土)。表と手番の順は次回の起動でも使われます。&lt;/p&gt;
&lt;p&gt;勢力分析ウインドウの列: 手番順の領土。安全・脅威・喪失は自分の家と畑の数で、安全は敵の 2/3 以下のコストで着くもの、
喪失は敵が先に着くもの (同じコストなら手番の早い敵) か自分が着けないもの、脅威はその間です。余裕は家と畑での
敵のコスト−自分のコストの最小、前線は他の勢力の手番順の領土と辺で接するマスの数、広さは最初の城の門の前から
6 コスト以内で着くマスの数です。いちばん下の「差」の行は各列の最大−最小です。手番順のバランスは、手番の順を回した
4 通りそれぞれのバランスと、その最も悪い値 (先手の勢力の名前つき)、最大÷最小です。脅威のある家・畑はオレンジ、
失う家・畑は赤の枠で、勢力分析の地図と、重ねる絵の上に示されます。バランスのパネルは、手番順のバランスの最も悪い値が
バランスと違うとき「手番順」としてそれも示します。&lt;/p&gt;
&lt;p&gt;「オプション → 先着差を重ねる」(Shift+F7) は勢力範囲の代わりに、各マスを最初に着く勢力が次の勢力より何コスト早いかで塗ります。
同着 (0) は赤紫の斜線、1 は赤、2 はオレンジ、3〜4 は黄、5〜7 は黄緑、8 以上は緑、一つの勢力しか着かないマスは青です。
前線が帯になって見えます。&lt;/p&gt;
</source>
        <translation>
&lt;h3&gt;Movement costs and turn order&lt;/h3&gt;
&lt;p&gt;Options → Movement Costs... sets the cost of entering a cell of each class (plain, forest, mountain path, plateau, faction house, faction field, castle with its gate, obstacle, single tile, no tile) to 1 to 9 or blocked (the castle takes 1 to 9 only; water, mountains and castle walls are always blocked). Restore Defaults sets every cost back to 1. Territories, distances, balances, the overlays and the distance ruler are all measured with this table; while it is not all 1 they speak of cost instead of steps.&lt;/p&gt;
&lt;p&gt;The turn order at the top of the faction analysis window moves the leftmost faction first; the ⇄ Swap button between two neighbours swaps them. A cell reached at the same cost goes to the faction that moves first (territory by turn). The table and the turn order are kept for the next start.&lt;/p&gt;
&lt;p&gt;The faction analysis window&apos;s columns: territory by turn. Safe, threatened and lost count the faction&apos;s own houses and fields: safe ones it reaches at no more than 2/3 of an enemy&apos;s cost, lost ones an enemy reaches first (at the same cost, an enemy that moves earlier) or it cannot reach, threatened ones in between. Margin is the smallest enemy cost − own cost over its houses and fields, front the number of cells sharing a side with another faction&apos;s territory by turn, room the number of cells within a cost of 6 from the cell in front of its first castle&apos;s gate. The Spread row at the bottom gives each column&apos;s largest − smallest. The turn-order balance gives the balance under each of the four rotations of the turn order, the worst of them (with the faction that moves first) and largest ÷ smallest. Threatened houses and fields are framed orange, lost ones red, on the faction analysis map and over the overlays. Where the worst turn-order balance differs from the balance, the balance panel shows it too as &quot;turn order&quot;.&lt;/p&gt;
&lt;p&gt;Options → Show Lead (Shift+F7) tints each cell, instead of by territory, by how much sooner the faction that gets there first arrives than the next one: a tie (0) hatched magenta, 1 red, 2 orange, 3–4 yellow, 5–7 light green, 8 or more green, a cell only one faction reaches blue. The fronts read as bands.&lt;/p&gt;
</translation>
    </message>
    <message>
        <source>
&lt;h3&gt;対称描画&lt;/h3&gt;
&lt;p&gt;「編集 → 対称描画」、F6 またはツールバーのボタンで、左右・上下・上下左右・点対称・四方回転の対称を選びます。
選んでいる間、ペン・図形・塗りつぶし・貼り付け・移動・切り取りなどの作業は、対称の位置にも同時に行われます。
対称の位置では勢力のタイルが対応する勢力のものになり、縁のタイルは向きが変わります。エディットウインドウとプレビューに対称の軸が出て、
カーソルと貼り付ける範囲は対称の位置にも出ます。ひと筆で自分が塗ったマスは、対称の位置の塗りで上書きされません。
城は、対称の位置の城と縦横とも 2 マス以内に入るところには置けません (整形で城の壁が重なるため)。
ペンや図形ではその城だけが置かれず、塗りつぶしや貼り付けは全体が取りやめになり、理由がステータスバーに出ます。
ステータスバーには選んでいる対称が出ます。&lt;/p&gt;

&lt;h3&gt;対称にする&lt;/h3&gt;
&lt;p&gt;「編集 → 対称にする」は、選んでいる対称に合わせてマップ全体を作り直します。元にする部分 (左半分など) を選ぶと、
その部分を整形してから他の部分に写し、マップ全体を整形します。対称の位置の城と重なる城は取り除かれ、メッセージで知らされます。
一回の作業として元に戻せます。&lt;/p&gt;

&lt;h3&gt;自動生成&lt;/h3&gt;
&lt;p&gt;「ファイル → 自動生成」で、種と条件からマップを作ります。対称、陸・山・森・台地・内陸の水の割合、家と畑の数、
タイルセットを選ぶと、右にできあがるマップとバランス、最も近い敵の城までの歩数が出ます。
種と条件が同じなら、いつも同じマップができます。範囲の外の数はそのまま残り、直すまで何が違うかが出ます。
OK を押すと、まだ保存していない新しいマップとして開きます。編集中のマップに変更があれば先に聞き、キャンセルすると自動生成に戻ります。&lt;/p&gt;
</source>
        <translation>
&lt;h3&gt;Symmetric painting&lt;/h3&gt;
&lt;p&gt;Choose a symmetry under Edit → Symmetric Painting, with F6 or with its tool-bar button: left and right, top and bottom, all four quarters, point symmetry or quarter turns.
While one is chosen, the pen, the shapes, fills, pastes, moves, cuts and the other edits are made at the symmetric places as well.
There the faction tiles become those of the matching faction and edge tiles are turned. The edit window and the preview show the axes,
and the cursor and a floating paste show at the symmetric places too. The cells you paint in one stroke are never painted over by its images.
A castle cannot be placed within 2 cells of a symmetric castle in both directions (shaping would make their walls overlap):
the pen and the shapes leave that castle out, a fill or a paste is not made at all, and the status bar says why.
The status bar shows the symmetry chosen.&lt;/p&gt;

&lt;h3&gt;Make symmetric&lt;/h3&gt;
&lt;p&gt;Edit → Make Symmetric rebuilds the whole map for the symmetry chosen. Choose the part to copy from (the left half, for instance):
it is shaped, copied onto the other parts, and the whole map is shaped. Castles that would overlap a symmetric castle are removed, and a message names them.
It is one step that undo takes back.&lt;/p&gt;

&lt;h3&gt;Generate map&lt;/h3&gt;
&lt;p&gt;File → Generate Map makes a map from a seed and conditions. Choose the symmetry, the shares of land, mountains, forests, plateaus and inland water,
the numbers of houses and fields, and the tile set: the map as it will come out shows on the right with its balance and each faction&apos;s steps to the nearest enemy castle.
The same seed and conditions always make the same map. A number outside its range stays as typed, and the dialog says what is wrong until it is corrected.
OK opens the map as a new map that has not been saved. If the map being edited has changes you are asked first; Cancel goes back to the generator.&lt;/p&gt;
</translation>
    </message>
</context>
<context>
    <name>MapGeneratorDialog</name>
    <message>
        <source>%1 – %2 %（全マスに対して）</source>
        <translation>%1 – %2 % (of all cells)</translation>
    </message>
    <message>
        <source>%1 – %2 %（陸に対して）</source>
        <translation>%1 – %2 % (of the land)</translation>
    </message>
    <message>
        <source>%1 – %2（勢力ごと）</source>
        <translation>%1 – %2 (per faction)</translation>
    </message>
    <message>
        <source>マップチェック</source>
        <translation>map check</translation>
    </message>
    <message>
        <source>整形済み</source>
        <translation>shaped</translation>
    </message>
    <message>
        <source>城どうしの行き来</source>
        <translation>reach between castles</translation>
    </message>
    <message>
        <source>自領内の家と畑</source>
        <translation>houses and fields in own territory</translation>
    </message>
    <message>
        <source>バランス</source>
        <translation>balance</translation>
    </message>
    <message>
        <source>敵の城までの距離</source>
        <translation>distances to enemy castles</translation>
    </message>
    <message>
        <source>対称</source>
        <translation>symmetry</translation>
    </message>
    <message>
        <source>陸の割合</source>
        <translation>land share</translation>
    </message>
    <message>
        <source>山の割合</source>
        <translation>mountain share</translation>
    </message>
    <message>
        <source>森の割合</source>
        <translation>forest share</translation>
    </message>
    <message>
        <source>台地の割合</source>
        <translation>plateau share</translation>
    </message>
    <message>
        <source>内陸の水の割合</source>
        <translation>inland water share</translation>
    </message>
    <message>
        <source>家の数</source>
        <translation>house count</translation>
    </message>
    <message>
        <source>畑の数</source>
        <translation>field count</translation>
    </message>
    <message>
        <source>陸(&amp;L)</source>
        <translation>&amp;Land</translation>
    </message>
    <message>
        <source>山(&amp;M)</source>
        <translation>&amp;Mountains</translation>
    </message>
    <message>
        <source>森(&amp;F)</source>
        <translation>&amp;Forests</translation>
    </message>
    <message>
        <source>台地(&amp;P)</source>
        <translation>&amp;Plateaus</translation>
    </message>
    <message>
        <source>内陸の水(&amp;W)</source>
        <translation>Inland &amp;water</translation>
    </message>
    <message>
        <source>家(&amp;H)</source>
        <translation>&amp;Houses</translation>
    </message>
    <message>
        <source>畑(&amp;R)</source>
        <translation>Fi&amp;elds</translation>
    </message>
</context>
<context>
    <name>MapLoader</name>
    <message>
        <source>ファイル形式が正常ではありません</source>
        <translation>The file is not a valid map file.</translation>
    </message>
    <message>
        <source>無効なキャラクタです。修正しました。</source>
        <translation>The tile set was invalid and has been corrected.</translation>
    </message>
    <message>
        <source>ファイルの大きさは %1 バイトとされていますが、マップには %2 バイトが必要です。</source>
        <translation>The file reports a size of %1 bytes; a map needs %2.</translation>
    </message>
</context>
<context>
    <name>NameOnlyIconProvider</name>
    <message>
        <source>ドライブ</source>
        <translation>Drive</translation>
    </message>
    <message>
        <source>フォルダ</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>ショートカット</source>
        <translation>Shortcut</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
</context>
<context>
    <name>Platform</name>
    <message>
        <source>%1
フォルダが存在しません。</source>
        <translation>%1
The folder does not exist.</translation>
    </message>
    <message>
        <source>%1
このファイルは読み取り専用です。別の名前を指定してください。</source>
        <translation>%1
This file is read-only. Please choose another name.</translation>
    </message>
    <message>
        <source>不明なエラーが発生しました</source>
        <translation>An unknown error occurred</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>小さいサイズ (8)</source>
        <translation>Small (8)</translation>
    </message>
    <message>
        <source>普通のサイズ (16)</source>
        <translation>Medium (16)</translation>
    </message>
    <message>
        <source>大きいサイズ (32)</source>
        <translation>Large (32)</translation>
    </message>
</context>
<context>
    <name>RecentFiles</name>
    <message>
        <source>「%1」が見つかりません。最近使ったファイルの一覧から削除しました。</source>
        <translation>&quot;%1&quot; was not found. It has been removed from the recent files.</translation>
    </message>
</context>
<context>
    <name>RulerTool</name>
    <message>
        <source>到達不能</source>
        <translation>unreachable</translation>
    </message>
    <message>
        <source>1歩</source>
        <translation>1 step</translation>
    </message>
    <message>
        <source>%1歩</source>
        <translation>%1 steps</translation>
    </message>
    <message>
        <source>コスト %1（%2歩）</source>
        <translation>cost %1 (%2 steps)</translation>
    </message>
</context>
<context>
    <name>SymmetryModes</name>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>左右対称</source>
        <translation>Left-right</translation>
    </message>
    <message>
        <source>上下対称</source>
        <translation>Top-bottom</translation>
    </message>
    <message>
        <source>上下左右対称</source>
        <translation>Four-way mirror</translation>
    </message>
    <message>
        <source>点対称</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>四方回転</source>
        <translation>Quarter turns</translation>
    </message>
</context>
<context>
    <name>SymmetrySources</name>
    <message>
        <source>左</source>
        <translation>Left half</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right half</translation>
    </message>
    <message>
        <source>上</source>
        <translation>Top half</translation>
    </message>
    <message>
        <source>下</source>
        <translation>Bottom half</translation>
    </message>
    <message>
        <source>左上</source>
        <translation>Top-left quarter</translation>
    </message>
    <message>
        <source>右上</source>
        <translation>Top-right quarter</translation>
    </message>
    <message>
        <source>左下</source>
        <translation>Bottom-left quarter</translation>
    </message>
    <message>
        <source>右下</source>
        <translation>Bottom-right quarter</translation>
    </message>
</context>
<context>
    <name>TileRoles</name>
    <message>
        <source>平地</source>
        <translation>plain</translation>
    </message>
    <message>
        <source>森林</source>
        <translation>forest</translation>
    </message>
    <message>
        <source>山道</source>
        <translation>mountain pass</translation>
    </message>
    <message>
        <source>単独タイル</source>
        <translation>single tile</translation>
    </message>
    <message>
        <source>勢力の家</source>
        <translation>faction house</translation>
    </message>
    <message>
        <source>勢力の畑</source>
        <translation>faction field</translation>
    </message>
    <message>
        <source>城</source>
        <translation>castle</translation>
    </message>
    <message>
        <source>城門</source>
        <translation>castle gate</translation>
    </message>
    <message>
        <source>台地</source>
        <translation>plateau</translation>
    </message>
    <message>
        <source>水辺</source>
        <translation>shore</translation>
    </message>
    <message>
        <source>山地</source>
        <translation>mountains</translation>
    </message>
    <message>
        <source>城壁</source>
        <translation>castle wall</translation>
    </message>
    <message>
        <source>旗のある城壁</source>
        <translation>castle wall with flag</translation>
    </message>
    <message>
        <source>障害物</source>
        <translation>obstacle</translation>
    </message>
    <message>
        <source>タイルなし</source>
        <translation>no tile</translation>
    </message>
</context>
<context>
    <name>TileSets</name>
    <message>
        <source>ヴェルダ</source>
        <translation>Verda</translation>
    </message>
    <message>
        <source>ヴェルダ(&amp;1)</source>
        <translation>Verda (&amp;1)</translation>
    </message>
    <message>
        <source>コロネット</source>
        <translation>Coronet</translation>
    </message>
    <message>
        <source>コロネット(&amp;2)</source>
        <translation>Coronet (&amp;2)</translation>
    </message>
    <message>
        <source>サンドラ</source>
        <translation>Sandra</translation>
    </message>
    <message>
        <source>サンドラ(&amp;3)</source>
        <translation>Sandra (&amp;3)</translation>
    </message>
    <message>
        <source>ミルフォス</source>
        <translation>Milphos</translation>
    </message>
    <message>
        <source>ミルフォス(&amp;4)</source>
        <translation>Milphos (&amp;4)</translation>
    </message>
    <message>
        <source>ラピスト</source>
        <translation>Lapist</translation>
    </message>
    <message>
        <source>ラピスト(&amp;5)</source>
        <translation>Lapist (&amp;5)</translation>
    </message>
    <message>
        <source>ゼフィール</source>
        <translation>Zephir</translation>
    </message>
    <message>
        <source>ゼフィール(&amp;6)</source>
        <translation>Zephir (&amp;6)</translation>
    </message>
    <message>
        <source>オルカナ</source>
        <translation>Orcana</translation>
    </message>
    <message>
        <source>オルカナ(&amp;7)</source>
        <translation>Orcana (&amp;7)</translation>
    </message>
    <message>
        <source>ノクターナ</source>
        <translation>Nocturna</translation>
    </message>
    <message>
        <source>ノクターナ(&amp;8)</source>
        <translation>Nocturna (&amp;8)</translation>
    </message>
    <message>
        <source>ステラン</source>
        <translation>Stellan</translation>
    </message>
    <message>
        <source>ステラン(&amp;9)</source>
        <translation>Stellan (&amp;9)</translation>
    </message>
</context>
<context>
    <name>UndoCommands</name>
    <message>
        <source>直線</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>四角形</source>
        <translation>Box</translation>
    </message>
    <message>
        <source>円</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>切り取り</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>貼りつけ</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>置換</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>交換</source>
        <translation>Exchange</translation>
    </message>
    <message>
        <source>整形</source>
        <translation>Shape map</translation>
    </message>
    <message>
        <source>整形の解除</source>
        <translation>Unshape map</translation>
    </message>
    <message>
        <source>塗りつぶし四角形</source>
        <translation>Filled box</translation>
    </message>
    <message>
        <source>塗りつぶし円</source>
        <translation>Filled circle</translation>
    </message>
    <message>
        <source>塗りつぶし</source>
        <translation>Fill area</translation>
    </message>
    <message>
        <source>ペン</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>復元</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>シフト</source>
        <translation>Shift map</translation>
    </message>
    <message>
        <source>キャラクター切り替え</source>
        <translation>Switch tile set</translation>
    </message>
    <message>
        <source>対称にする</source>
        <translation>Make symmetric</translation>
    </message>
</context>
<context>
    <name>tav::AboutDialog</name>
    <message>
        <source>Tavrena MapEditor バージョン情報</source>
        <translation>About Tavrena MapEditor</translation>
    </message>
</context>
<context>
    <name>tav::BalanceReport</name>
    <message>
        <source>バランス %1</source>
        <translation>Balance %1</translation>
    </message>
    <message>
        <source>最大の領土÷最小の領土</source>
        <translation>Largest territory ÷ smallest territory</translation>
    </message>
    <message>
        <source>最も変わった領土：%1 %2%3</source>
        <translation>Territory changed most: %1 %2%3</translation>
    </message>
    <message>
        <source>&#x3000;手番順 %1</source>
        <translation>   turn order %1</translation>
    </message>
    <message>
        <source>手番順：手番の順を回した4通りで、同じコストで届くマスを先に動く勢力のものとした領土の最大÷最小の、最も悪い値</source>
        <translation>Turn order: the worst, over the four rotations of the turn order, of largest ÷ smallest territory when a cell reached at the same cost goes to the faction that moves first</translation>
    </message>
</context>
<context>
    <name>tav::CodeReplaceDialog</name>
    <message>
        <source>交換</source>
        <translation>Exchange</translation>
    </message>
    <message>
        <source>置換</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>コード A</source>
        <translation>Code A</translation>
    </message>
    <message>
        <source>置換するコード A</source>
        <translation>Code A to replace</translation>
    </message>
    <message>
        <source>コード B</source>
        <translation>Code B</translation>
    </message>
    <message>
        <source>置換後のコード B</source>
        <translation>Replace with code B</translation>
    </message>
    <message>
        <source>選択範囲</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>マップ全体</source>
        <translation>Whole map</translation>
    </message>
    <message>
        <source>タイルを左クリックで A、右クリックで B に選びます。</source>
        <translation>Left-click a tile to choose A, right-click to choose B.</translation>
    </message>
    <message>
        <source>%1 個のセルが変わります。</source>
        <translation>%1 cell(s) will change.</translation>
    </message>
</context>
<context>
    <name>tav::EditorStatusBar</name>
    <message>
        <source>選択タイル %1</source>
        <translation>Picked tile %1</translation>
    </message>
    <message>
        <source>マップチェック: 問題はありません</source>
        <translation>Map check: no problems found</translation>
    </message>
    <message>
        <source>対称描画 %1</source>
        <translation>Symmetry: %1</translation>
    </message>
</context>
<context>
    <name>tav::FactionAnalysisView</name>
    <message>
        <source>なし</source>
        <translation>none</translation>
    </message>
    <message>
        <source> …計%1</source>
        <translation> … %1 in all</translation>
    </message>
    <message>
        <source>勢力分析</source>
        <translation>Faction Analysis</translation>
    </message>
    <message>
        <source>勢力</source>
        <translation>Faction</translation>
    </message>
    <message>
        <source>城の位置</source>
        <translation>Castles</translation>
    </message>
    <message>
        <source>家</source>
        <translation>Houses</translation>
    </message>
    <message>
        <source>畑</source>
        <translation>Fields</translation>
    </message>
    <message>
        <source>領土</source>
        <translation>Territory</translation>
    </message>
    <message>
        <source>領土内の家・畑</source>
        <translation>Houses and fields in territory</translation>
    </message>
    <message>
        <source>係争地</source>
        <translation>Contested</translation>
    </message>
    <message>
        <source>到達不能</source>
        <translation>Unreachable</translation>
    </message>
    <message>
        <source>%1まで</source>
        <translation>To %1</translation>
    </message>
    <message>
        <source>その勢力の最も近い城までの歩数</source>
        <translation>Steps to the nearest castle of that faction</translation>
    </message>
    <message>
        <source>%1の城がありません。</source>
        <translation>%1 has no castle.</translation>
    </message>
    <message>
        <source>（領土のない勢力があります）</source>
        <translation> (a faction has no territory)</translation>
    </message>
    <message>
        <source>係争地：%1&#x3000;到達不能：%2&#x3000;バランス（最大÷最小の領土）：%3</source>
        <translation>Contested: %1   Unreachable: %2   Balance (largest ÷ smallest territory): %3</translation>
    </message>
    <message>
        <source>片方だけ到達</source>
        <translation>reached by one side only</translation>
    </message>
    <message>
        <source>対称の勢力との最大の差：城 %1&#x3000;家 %2&#x3000;畑 %3&#x3000;領土 %4&#x3000;最も近い敵の城まで %5</source>
        <translation>Largest difference to a mirrored faction: castles %1   houses %2   fields %3   territory %4   steps to the nearest enemy castle %5</translation>
    </message>
    <message>
        <source>どの勢力よりも少ないコストで届くマス（同じコストの勢力があれば係争地）</source>
        <translation>Cells the faction reaches at a lower cost than any other (contested when another reaches them at the same cost)</translation>
    </message>
    <message>
        <source>手番順の領土</source>
        <translation>By turn</translation>
    </message>
    <message>
        <source>同じコストで届くマスを、手番の先の勢力のものとした領土</source>
        <translation>Territory when a cell reached at the same cost goes to the faction that moves first</translation>
    </message>
    <message>
        <source>安全</source>
        <translation>Safe</translation>
    </message>
    <message>
        <source>自分の家・畑のうち、敵の2/3以下のコストで届くもの</source>
        <translation>Own houses and fields the faction reaches at no more than 2/3 of an enemy&apos;s cost</translation>
    </message>
    <message>
        <source>脅威</source>
        <translation>Threatened</translation>
    </message>
    <message>
        <source>自分の家・畑のうち、先に届くが敵の2/3を超えるコストのもの</source>
        <translation>Own houses and fields the faction reaches first, but at more than 2/3 of an enemy&apos;s cost</translation>
    </message>
    <message>
        <source>喪失</source>
        <translation>Lost</translation>
    </message>
    <message>
        <source>自分の家・畑のうち、敵が先に届くもの、自分が届かないもの</source>
        <translation>Own houses and fields an enemy reaches first, or the faction cannot reach</translation>
    </message>
    <message>
        <source>余裕</source>
        <translation>Margin</translation>
    </message>
    <message>
        <source>自分の家・畑で、敵のコスト−自分のコストの最小</source>
        <translation>The smallest enemy cost − own cost over the faction&apos;s houses and fields</translation>
    </message>
    <message>
        <source>前線</source>
        <translation>Front</translation>
    </message>
    <message>
        <source>手番順の領土のうち、他の勢力の手番順の領土と辺で接するマス</source>
        <translation>Cells of its territory by turn that share a side with another faction&apos;s territory by turn</translation>
    </message>
    <message>
        <source>広さ</source>
        <translation>Room</translation>
    </message>
    <message>
        <source>最初の城の門の前から6コスト以内で届くマス</source>
        <translation>Open cells within a cost of 6 from the cell in front of its first castle&apos;s gate</translation>
    </message>
    <message>
        <source>差</source>
        <translation>Spread</translation>
    </message>
    <message>
        <source>各列の最大−最小</source>
        <translation>Largest − smallest of each column</translation>
    </message>
    <message>
        <source>脅威のある家・畑</source>
        <translation>Threatened house or field</translation>
    </message>
    <message>
        <source>失う家・畑</source>
        <translation>Lost house or field</translation>
    </message>
    <message>
        <source>その勢力の最も近い城までの移動コスト</source>
        <translation>Movement cost to the nearest castle of that faction</translation>
    </message>
    <message>
        <source>手番順のバランス：%1</source>
        <translation>Turn-order balance: %1</translation>
    </message>
    <message>
        <source>最悪：%1（%2が先手の順 %3）&#x3000;差（最大÷最小）：%4</source>
        <translation>Worst: %1 (%2 moving first, order %3)   spread (largest ÷ smallest): %4</translation>
    </message>
    <message>
        <source>最悪：%1（領土のない勢力があります）</source>
        <translation>Worst: %1 (a faction has no territory)</translation>
    </message>
</context>
<context>
    <name>tav::HelpWindow</name>
    <message>
        <source>ショートカット</source>
        <translation>Shortcuts</translation>
    </message>
    <message>
        <source>コマンド</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>キー</source>
        <translation>Keys</translation>
    </message>
    <message>
        <source>Tavrenna MapEditor ヘルプ</source>
        <translation>Tavrenna MapEditor Help</translation>
    </message>
</context>
<context>
    <name>tav::MapCheckView</name>
    <message>
        <source>%1 に外周抜けがあります。</source>
        <translation>Gap in the rim at %1.</translation>
    </message>
    <message>
        <source>外周%1に%2の城があります。</source>
        <translation>%2 has a castle on the rim at %1.</translation>
    </message>
    <message>
        <source>%1にある%2の城が封鎖されています。</source>
        <translation>The castle of %2 at %1 is sealed.</translation>
    </message>
    <message>
        <source>%1の城がありません。</source>
        <translation>%1 has no castle.</translation>
    </message>
    <message>
        <source>%1の城が２つ以上存在しています。</source>
        <translation>%1 has two or more castles.</translation>
    </message>
    <message>
        <source>キャラクタータイプ：%1</source>
        <translation>Tile set: %1</translation>
    </message>
    <message>
        <source>%1 ほか</source>
        <translation>%1 and more</translation>
    </message>
    <message>
        <source>左右対称ではないセルが %1 個あります。%2</source>
        <translation>%1 cell(s) are not left-right symmetric: %2</translation>
    </message>
    <message>
        <source>上下対称ではないセルが %1 個あります。%2</source>
        <translation>%1 cell(s) are not top-bottom symmetric: %2</translation>
    </message>
    <message>
        <source>上下左右対称ではないセルが %1 個あります。%2</source>
        <translation>%1 cell(s) are not symmetric left-right and top-bottom: %2</translation>
    </message>
    <message>
        <source>点対称ではないセルが %1 個あります。%2</source>
        <translation>%1 cell(s) are not point symmetric: %2</translation>
    </message>
    <message>
        <source>四方回転対称ではないセルが %1 個あります。%2</source>
        <translation>%1 cell(s) are not symmetric under quarter turns: %2</translation>
    </message>
    <message>
        <source>%1にある%2の城は%3にある%4の城と近すぎます。</source>
        <translation>The castle of %2 at %1 is too close to the castle of %4 at %3.</translation>
    </message>
</context>
<context>
    <name>tav::MapCommands</name>
    <message>
        <source>(%1,%2)にある%3の城は対称の位置の城と重なるため取り除きました。</source>
        <translation>The castle of %3 at (%1,%2) overlapped a castle at its mirrored place and was removed.</translation>
    </message>
    <message>
        <source> ほか %1 個</source>
        <translation> and %1 more</translation>
    </message>
</context>
<context>
    <name>tav::MapGeneratorDialog</name>
    <message>
        <source>自動生成</source>
        <translation>Generate Map</translation>
    </message>
    <message>
        <source>別の種</source>
        <translation>Another Seed</translation>
    </message>
    <message>
        <source>種(&amp;S)</source>
        <translation>&amp;Seed</translation>
    </message>
    <message>
        <source>対称(&amp;Y)</source>
        <translation>S&amp;ymmetry</translation>
    </message>
    <message>
        <source>タイルセット(&amp;T)</source>
        <translation>&amp;Tile set</translation>
    </message>
    <message>
        <source>種と条件が同じなら、いつも同じマップができます。</source>
        <translation>The same seed and settings always make the same map.</translation>
    </message>
    <message>
        <source>生成中…</source>
        <translation>Generating…</translation>
    </message>
    <message>
        <source>種は 0 から 18446744073709551615 までの整数です。</source>
        <translation>The seed is a whole number from 0 to 18446744073709551615.</translation>
    </message>
    <message>
        <source>%1 通りの試しのどれも「%2」を満たしませんでした。別の種を試してください。</source>
        <translation>None of the %1 attempts met the %2 figure. Try another seed.</translation>
    </message>
    <message>
        <source>バランス（最大÷最小の領土）：%1</source>
        <translation>Balance (largest ÷ smallest territory): %1</translation>
    </message>
    <message>
        <source>最も近い敵の城までの歩数：%1</source>
        <translation>Steps to the nearest enemy castle: %1</translation>
    </message>
    <message>
        <source>歩数の最大÷最小：%1</source>
        <translation>Largest ÷ smallest steps: %1</translation>
    </message>
    <message>
        <source>%1は %2 から %3 までです。</source>
        <translation>%1 must be %2 to %3.</translation>
    </message>
</context>
<context>
    <name>tav::MovementCostDialog</name>
    <message>
        <source>移動コスト</source>
        <translation>Movement Costs</translation>
    </message>
    <message>
        <source>マスに入るときのコスト（1〜9）。通行不可のマスにはどの勢力も入れません。
水辺・山地・城壁はもともと通行不可です。</source>
        <translation>The cost of entering a cell (1 to 9). No faction enters a blocked cell.
Water, mountains and castle walls are always blocked.</translation>
    </message>
    <message>
        <source>通行不可</source>
        <translation>blocked</translation>
    </message>
    <message>
        <source>%1（城門も）</source>
        <translation>%1 (and the gate)</translation>
    </message>
    <message>
        <source>既定値に戻す</source>
        <translation>Restore Defaults</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>tav::PreferencesDialog</name>
    <message>
        <source>環境設定</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>グリッド線を表示する</source>
        <translation>Show grid lines</translation>
    </message>
    <message>
        <source>カーソルを点滅させる</source>
        <translation>Blink the cursor</translation>
    </message>
    <message>
        <source>しない</source>
        <translation>Never</translation>
    </message>
    <message>
        <source>起動時のタイルセット</source>
        <translation>Tile set at start-up</translation>
    </message>
    <message>
        <source>起動時のサイズ</source>
        <translation>Tile size at start-up</translation>
    </message>
    <message>
        <source>自動保存の間隔</source>
        <translation>Autosave interval</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 秒</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 分</source>
        <translation>%1 min</translation>
    </message>
</context>
<context>
    <name>tav::SymmetrizeDialog</name>
    <message>
        <source>マップを左右対称にします。元にする部分を選んでください。</source>
        <translation>Makes the map left-right symmetric. Choose the part to copy from.</translation>
    </message>
    <message>
        <source>マップを上下対称にします。元にする部分を選んでください。</source>
        <translation>Makes the map top-bottom symmetric. Choose the part to copy from.</translation>
    </message>
    <message>
        <source>マップを上下左右対称にします。元にする部分を選んでください。</source>
        <translation>Makes the map symmetric left-right and top-bottom. Choose the part to copy from.</translation>
    </message>
    <message>
        <source>マップを点対称にします。元にする部分を選んでください。</source>
        <translation>Makes the map point symmetric. Choose the part to copy from.</translation>
    </message>
    <message>
        <source>マップを四方回転対称にします。元にする部分を選んでください。</source>
        <translation>Makes the map symmetric under quarter turns. Choose the part to copy from.</translation>
    </message>
    <message>
        <source>対称にする</source>
        <translation>Make Symmetric</translation>
    </message>
    <message>
        <source>他の部分は元の部分の写しで置き換わります。重なる城は取り除かれます。</source>
        <translation>The other parts are replaced by copies of it. Castles that would overlap are removed.</translation>
    </message>
</context>
<context>
    <name>tav::TurnOrderControl</name>
    <message>
        <source>手番の順（左が先手）：</source>
        <translation>Turn order (leftmost moves first):</translation>
    </message>
    <message>
        <source>隣り合う2つの勢力の手番を入れ替える</source>
        <translation>Swap the turns of these two neighbouring factions</translation>
    </message>
    <message>
        <source>⇄入替</source>
        <translation>⇄ Swap</translation>
    </message>
</context>
</TS>
