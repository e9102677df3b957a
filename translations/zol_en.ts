<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja_JP">
<context>
    <name>Zol</name>
    <message>
        <source>もうかんにんしてぇ</source>
        <translation>Have mercy!</translation>
    </message>
    <message>
        <source>これ以上リンクの設定ができません。
設定可能なリンクの数は256までです。</source>
        <translation>No more links can be set.
A map holds at most 256 links.</translation>
    </message>
    <message>
        <source>やりすぎ！</source>
        <translation>Way too many!</translation>
    </message>
    <message>
        <source>これ以上イベントは作られません。
作成可能なイベントの数は256までです。</source>
        <translation>No more events can be made.
A map holds at most 256 events.</translation>
    </message>
    <message>
        <source>読めません</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>説明が壊れています</source>
        <translation>its description is damaged</translation>
    </message>
    <message>
        <source>マップのコピーが読めません</source>
        <translation>the map&apos;s copy cannot be read</translation>
    </message>
    <message>
        <source>パレットのコピーが読めません</source>
        <translation>the palette&apos;s copy cannot be read</translation>
    </message>
    <message>
        <source>中身がありません</source>
        <translation>it is empty</translation>
    </message>
    <message>
        <source>説明がありません</source>
        <translation>it has no description</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>はみ出してまっせ</source>
        <translation>That&apos;s off the edge, pal</translation>
    </message>
    <message>
        <source>%1は設定できません。
座標や番号は0～255の範囲で指定してください。</source>
        <translation>%1 cannot be set.
Positions and numbers must be between 0 and 255.</translation>
    </message>
    <message>
        <source>イベントの位置%1</source>
        <translation>The event position %1</translation>
    </message>
    <message>
        <source>イベント番号%1</source>
        <translation>The event number %1</translation>
    </message>
    <message>
        <source>リンクの位置%1</source>
        <translation>The link position %1</translation>
    </message>
    <message>
        <source>リンク先の座標%1</source>
        <translation>The link&apos;s target position %1</translation>
    </message>
    <message>
        <source>リンク先のマップ番号%1</source>
        <translation>The link&apos;s target map number %1</translation>
    </message>
    <message>
        <source>問題ない（ニヤリ）</source>
        <translation>No problem (grin)</translation>
    </message>
    <message>
        <source>フラグデータが見つからなかったので
マップデータからフラグを再現します。</source>
        <translation>The flag data was not found,
so the flags are rebuilt from the map data.</translation>
    </message>
    <message>
        <source>何故に？</source>
        <translation>But why?</translation>
    </message>
    <message>
        <source>ファイルを開くのに失敗しました
ERROR No.%1 %2 %3</source>
        <translation>The file could not be opened
ERROR No.%1 %2 %3</translation>
    </message>
    <message>
        <source>ファイルを開くのに失敗しました</source>
        <translation>The file could not be opened</translation>
    </message>
    <message>
        <source>あれ？</source>
        <translation>Huh?</translation>
    </message>
    <message>
        <source>フラグデータの保存に失敗しました</source>
        <translation>The flag data could not be saved</translation>
    </message>
    <message>
        <source>メモリの確保に失敗しました</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>(%1,%2) Palette=%3 Flag=%4</source>
        <translation>(%1,%2) Palette=%3 Flag=%4</translation>
    </message>
    <message>
        <source> Link=%1 (%2,%3)</source>
        <translation> Link=%1 (%2,%3)</translation>
    </message>
    <message>
        <source> Event= %1</source>
        <translation> Event= %1</translation>
    </message>
    <message>
        <source>%1 %2×%3 Link: %4  (%5×%6)</source>
        <translation>%1 %2×%3 Link: %4  (%5×%6)</translation>
    </message>
    <message>
        <source>(%1,%2)～(%3,%4)</source>
        <translation>(%1,%2)-(%3,%4)</translation>
    </message>
    <message>
        <source> Event = %1</source>
        <translation> Event = %1</translation>
    </message>
    <message>
        <source> Flag=%1</source>
        <translation> Flag=%1</translation>
    </message>
    <message>
        <source>塗る</source>
        <translation>Fill</translation>
    </message>
    <message>
        <source>ペン</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>セルの編集</source>
        <translation>Edit Cell</translation>
    </message>
    <message>
        <source>  OK  </source>
        <translation>  OK  </translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>背景の設定</source>
        <translation>Background Cell</translation>
    </message>
    <message>
        <source>背景となるセルの番号</source>
        <translation>Number of the background cell</translation>
    </message>
    <message>
        <source>塗りつぶし率設定</source>
        <translation>Fill Rate</translation>
    </message>
    <message>
        <source>イベント＆リンクの設定</source>
        <translation>Event and Link</translation>
    </message>
    <message>
        <source>Flag :%1</source>
        <translation>Flag :%1</translation>
    </message>
    <message>
        <source>イベントの設定をする</source>
        <translation>Set an event</translation>
    </message>
    <message>
        <source>イベント番号</source>
        <translation>Event number</translation>
    </message>
    <message>
        <source>リンクの設定をする</source>
        <translation>Set a link</translation>
    </message>
    <message>
        <source>リンク先のマップ番号</source>
        <translation>Target map number</translation>
    </message>
    <message>
        <source>リンク先のＸ座標</source>
        <translation>Target X</translation>
    </message>
    <message>
        <source>リンク先のＹ座標</source>
        <translation>Target Y</translation>
    </message>
    <message>
        <source> OK </source>
        <translation> OK </translation>
    </message>
    <message>
        <source>( %1, %2 )</source>
        <translation>( %1, %2 )</translation>
    </message>
    <message>
        <source>ロードするビットマップ</source>
        <translation>Bitmap to Load From</translation>
    </message>
    <message>
        <source>No.%1</source>
        <translation>No.%1</translation>
    </message>
    <message>
        <source>参照するマップデータ</source>
        <translation>Map whose flag to set</translation>
    </message>
    <message>
        <source>編集済みの部分も変更する。</source>
        <translation>Change the edited parts too.</translation>
    </message>
    <message>
        <source>ダブルクリックでセルの編集</source>
        <translation>Double-click to edit the cell</translation>
    </message>
    <message>
        <source>ビットマップファイルの読み込み</source>
        <translation>Load Bitmap File</translation>
    </message>
    <message>
        <source>ビットマップを開く</source>
        <translation>Open Bitmap</translation>
    </message>
    <message>
        <source>ビットマップファイル</source>
        <translation>Bitmap files</translation>
    </message>
    <message>
        <source>すべてのファイル</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>ぐぇっ</source>
        <translation>Urk!</translation>
    </message>
    <message>
        <source>ビットマップファイルのロードに失敗しました。</source>
        <translation>The bitmap file could not be loaded.</translation>
    </message>
    <message>
        <source>こっちは構わんけど…</source>
        <translation>Fine by me, but…</translation>
    </message>
    <message>
        <source>マップデータの一部が消えてしまう可能性がありますが
それでもよろしいですか？</source>
        <translation>Part of the map data may be lost.
Go ahead anyway?</translation>
    </message>
    <message>
        <source>%1の設定</source>
        <translation>Size of %1</translation>
    </message>
    <message>
        <source>Ｘ座標の幅</source>
        <translation>Width (X)</translation>
    </message>
    <message>
        <source>Ｙ座標の幅</source>
        <translation>Height (Y)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>そんなこと言うたかて…</source>
        <translation>Easy for you to say…</translation>
    </message>
    <message>
        <source>アクティブになっているマップデータがないため、
どのマップを変更したいのか分かりません。</source>
        <translation>No map window is active,
so there is no telling which map to change.</translation>
    </message>
    <message>
        <source>パレット色設定</source>
        <translation>Palette Colours</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>パターンサイズの決定</source>
        <translation>Pattern Size</translation>
    </message>
    <message>
        <source> 幅</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高さ</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>パターンの作成</source>
        <translation>Make Pattern</translation>
    </message>
    <message>
        <source>   OK   </source>
        <translation>   OK   </translation>
    </message>
    <message>
        <source>ZOLファイル</source>
        <translation>Zol files</translation>
    </message>
    <message>
        <source>セルパレットの保存に失敗しました</source>
        <translation>The cell palette could not be saved</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>閉じる前に</source>
        <translation>Before Closing</translation>
    </message>
    <message>
        <source>閉じる前に…</source>
        <translation>Before Closing…</translation>
    </message>
    <message>
        <source>%1を保存しますか？</source>
        <translation>Save %1?</translation>
    </message>
    <message>
        <source>マップデータを保存する</source>
        <translation>Save Map Data</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>セルパレットの保存</source>
        <translation>Save Cell Palette</translation>
    </message>
    <message>
        <source>倍率設定</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>ペンで描きます</source>
        <translation>Draws with the pen</translation>
    </message>
    <message>
        <source>塗りつぶす長方形の範囲を指定して、指定された確率で塗りつぶします</source>
        <translation>Fills the rectangle you mark out, at the fill rate set</translation>
    </message>
    <message>
        <source>指定された長方形の辺のみを塗ります</source>
        <translation>Draws only the edges of the rectangle you mark out</translation>
    </message>
    <message>
        <source>指定されたセルの周囲を塗りつぶします</source>
        <translation>Fills the area around the cell you click</translation>
    </message>
    <message>
        <source>マウスの左ボタンで切り取る範囲の指定をし、右クリックで貼り付けます</source>
        <translation>Mark the area to cut with the left button; right-click to paste it</translation>
    </message>
    <message>
        <source>マウスの左ボタンでコピーする範囲の指定をし、右クリックで貼り付けます</source>
        <translation>Mark the area to copy with the left button; right-click to paste it</translation>
    </message>
    <message>
        <source>マウスでクリックしたセルを左上とする範囲に貼り付けます</source>
        <translation>Pastes with the cell you click at the top left</translation>
    </message>
    <message>
        <source>指定された範囲を、背景のセルを除いてコピーします</source>
        <translation>Copies the area you mark out, leaving out the background cell</translation>
    </message>
    <message>
        <source>指定した長方形を特定のパターンで塗りつぶす</source>
        <translation>Fills the rectangle you mark out with the pattern</translation>
    </message>
    <message>
        <source>指定された点の周りを特定のパターンで塗りつぶす</source>
        <translation>Fills the area around the cell you click with the pattern</translation>
    </message>
    <message>
        <source>仏の顔も…</source>
        <translation>Even a saint&apos;s patience runs out…</translation>
    </message>
    <message>
        <source>%1はこれ以上元には戻せません</source>
        <translation>%1 cannot be undone any further</translation>
    </message>
    <message>
        <source>それはちょっと…</source>
        <translation>I&apos;d rather not…</translation>
    </message>
    <message>
        <source>セルパレットはこれ以上元に戻せません</source>
        <translation>The cell palette cannot be undone any further</translation>
    </message>
    <message>
        <source>やり直すって何を？</source>
        <translation>Take back what, exactly?</translation>
    </message>
    <message>
        <source>アクティブになっているフォームがないため、何を元に戻せばよいのか分かりません。
元に戻したいマップ、もしくはセルパレットをアクティブにしてください。</source>
        <translation>No window is active, so there is no telling what to undo.
Activate the map or the cell palette you want to undo.</translation>
    </message>
    <message>
        <source>一度に表示できるウィンドーは%1までです。
どれかひとつ消してから行ってください。</source>
        <translation>At most %1 windows can be open at once.
Close one of them first.</translation>
    </message>
    <message>
        <source>ありゃりゃ？</source>
        <translation>Uh-oh?</translation>
    </message>
    <message>
        <source>指定されているビットマップファイル
%1
の読み込みに失敗しました。
そのビットマップが本当にマップデータとの同じディレクトリ
%2
にあるのか確かめてください。</source>
        <translation>The bitmap file
%1
that the map names could not be read.
Check that the bitmap really is in the map data&apos;s folder
%2</translation>
    </message>
    <message>
        <source>ええんかなぁ？そんなことして</source>
        <translation>Are you sure about this?</translation>
    </message>
    <message>
        <source>指定されているパレットと現在表示されているパレットが違います。
それでも開きますか？</source>
        <translation>The map names a different palette from the one shown now.
Open it anyway?</translation>
    </message>
    <message>
        <source>マップデータを読み込む</source>
        <translation>Open Map Data</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>困った…</source>
        <translation>Well, this is awkward…</translation>
    </message>
    <message>
        <source>アクティブになっているフォームがないため、
どのマップを保存すればよいのか分かりません</source>
        <translation>No window is active,
so there is no telling which map to save</translation>
    </message>
    <message>
        <source>TMXファイル</source>
        <translation>TMX files</translation>
    </message>
    <message>
        <source>JSONファイル</source>
        <translation>JSON files</translation>
    </message>
    <message>
        <source>エクスポート</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>エクスポートするマップをアクティブにしてください。</source>
        <translation>Activate the map to export.</translation>
    </message>
    <message>
        <source>エクスポートに失敗しました。</source>
        <translation>The export failed.</translation>
    </message>
    <message>
        <source>%1にエクスポートしました</source>
        <translation>Exported to %1</translation>
    </message>
    <message>
        <source>インポート</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>このマップはインポートできません。</source>
        <translation>This map cannot be imported.</translation>
    </message>
    <message>
        <source>インポートしたマップデータの保存</source>
        <translation>Save Imported Map Data</translation>
    </message>
    <message>
        <source>インポートしたマップの保存に失敗しました。</source>
        <translation>The imported map could not be saved.</translation>
    </message>
    <message>
        <source>%1をインポートしました</source>
        <translation>Imported %1</translation>
    </message>
    <message>
        <source>言語</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>開いているダイアログは、次に開いたときから新しい言語で表示されます。</source>
        <translation>Dialogs open now will speak the new language the next time they are opened.</translation>
    </message>
    <message>
        <source>（なし）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>最近使ったマップ</source>
        <translation>Recent Maps</translation>
    </message>
    <message>
        <source>%1
は見つかりません。</source>
        <translation>%1
cannot be found.</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>ビュー(&amp;S)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>ツール(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>設定(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>長方形(&amp;R)</source>
        <translation>&amp;Rectangle</translation>
    </message>
    <message>
        <source>パターン(&amp;P)</source>
        <translation>P&amp;attern</translation>
    </message>
    <message>
        <source>塗りつぶし率(&amp;P)</source>
        <translation>Fill &amp;Rate</translation>
    </message>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>マップデータの新規作成(&amp;N)</source>
        <translation>&amp;New Map</translation>
    </message>
    <message>
        <source>マップデータを開く(&amp;O)</source>
        <translation>&amp;Open Map…</translation>
    </message>
    <message>
        <source>マップデータを上書き保存(&amp;S)</source>
        <translation>&amp;Save Map</translation>
    </message>
    <message>
        <source>名前を付けてマップデータを保存(&amp;A)</source>
        <translation>Save Map &amp;As…</translation>
    </message>
    <message>
        <source>セルパレットの新規作成</source>
        <translation>New Cell Palette</translation>
    </message>
    <message>
        <source>セルパレットを開く</source>
        <translation>Open Cell Palette…</translation>
    </message>
    <message>
        <source>セルパレットを上書き保存</source>
        <translation>Save Cell Palette</translation>
    </message>
    <message>
        <source>名前を付けてセルパレットを保存</source>
        <translation>Save Cell Palette As…</translation>
    </message>
    <message>
        <source>エクスポート…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>インポート…</source>
        <translation>Import…</translation>
    </message>
    <message>
        <source>最近使ったマップ(&amp;R)</source>
        <translation>&amp;Recent Maps</translation>
    </message>
    <message>
        <source>終了(&amp;E)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>イベント一覧(&amp;E)</source>
        <translation>&amp;Event List</translation>
    </message>
    <message>
        <source>フラグ一覧(&amp;F)</source>
        <translation>&amp;Flag List</translation>
    </message>
    <message>
        <source>リンク一覧(&amp;L)</source>
        <translation>&amp;Link List</translation>
    </message>
    <message>
        <source>全体表示(&amp;V)</source>
        <translation>Whole &amp;Map</translation>
    </message>
    <message>
        <source>ツールバー(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直す(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>背景を設定をしない(&amp;N)</source>
        <translation>&amp;All Cells</translation>
    </message>
    <message>
        <source>背景を設定する(&amp;B)</source>
        <translation>All but the &amp;Background…</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>ペン(&amp;P)</source>
        <translation>&amp;Pen</translation>
    </message>
    <message>
        <source>塗りつぶす(&amp;P)</source>
        <translation>&amp;Fill…</translation>
    </message>
    <message>
        <source>辺のみ(&amp;R)</source>
        <translation>&amp;Edges Only</translation>
    </message>
    <message>
        <source>塗りつぶし(&amp;P)</source>
        <translation>Flood &amp;Fill</translation>
    </message>
    <message>
        <source>マップサイズ(&amp;S)</source>
        <translation>Map &amp;Size…</translation>
    </message>
    <message>
        <source>倍率設定(&amp;Z)</source>
        <translation>&amp;Zoom…</translation>
    </message>
    <message>
        <source>パレット色(&amp;C)</source>
        <translation>Palette &amp;Colours…</translation>
    </message>
    <message>
        <source>設定する(&amp;Y)</source>
        <translation>&amp;On</translation>
    </message>
    <message>
        <source>設定しない(&amp;N)</source>
        <translation>O&amp;ff</translation>
    </message>
    <message>
        <source>そう欲張るなって</source>
        <translation>Don&apos;t be greedy</translation>
    </message>
    <message>
        <source>これ以上ファイルを開くことは出来ません</source>
        <translation>No more files can be opened</translation>
    </message>
    <message>
        <source>ほよ？</source>
        <translation>Eh?</translation>
    </message>
    <message>
        <source>%1はZolのファイルではありません</source>
        <translation>%1 is not a Zol file</translation>
    </message>
    <message>
        <source>復元用のコピーを書き込めないため、保存していない作業は保護されていません</source>
        <translation>Recovery copies cannot be written, so unsaved work is not protected</translation>
    </message>
    <message>
        <source>復元</source>
        <translation>Recovery</translation>
    </message>
    <message>
        <source>読めない復元用のコピーがあったため、復元の対象から外しました。
消さずに次の場所に残してあります。

  %1</source>
        <translation>Some recovery copies could not be read and were left out.
They have been kept, not deleted, here:

  %1</translation>
    </message>
    <message>
        <source>セルパレット %1</source>
        <translation>Cell palette %1</translation>
    </message>
    <message>
        <source>前回、保存されないまま終わったデータがあります。

  %1

すべて復元しますか？
「はい」で復元、「いいえ」で破棄、「キャンセル」で次回まで残します。</source>
        <translation>Last time, the editor ended with this work unsaved:

  %1

Restore all of it?
&quot;Yes&quot; restores it, &quot;No&quot; discards it, &quot;Cancel&quot; keeps it for next time.</translation>
    </message>
    <message>
        <source>Cell( L:%1 R:%2 )</source>
        <translation>Cell( L:%1 R:%2 )</translation>
    </message>
    <message>
        <source>ビットマップファイルの読み込みに失敗しました</source>
        <translation>The bitmap file could not be read</translation>
    </message>
    <message>
        <source>Open Bitmap</source>
        <translation>Open Bitmap</translation>
    </message>
    <message>
        <source>イベント一覧</source>
        <translation>Event List</translation>
    </message>
    <message>
        <source>フラグ一覧</source>
        <translation>Flag List</translation>
    </message>
    <message>
        <source>リンク一覧</source>
        <translation>Link List</translation>
    </message>
    <message>
        <source>全体表示</source>
        <translation>Whole Map</translation>
    </message>
    <message>
        <source>×%1</source>
        <translation>×%1</translation>
    </message>
    <message>
        <source>ちょっと待ってよ…</source>
        <translation>Hold on a sec…</translation>
    </message>
    <message>
        <source>先にセルパレットを作成してください</source>
        <translation>Make a cell palette first</translation>
    </message>
    <message>
        <source>処理を元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>元に戻した処理をやり直す</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>塗りつぶし</source>
        <translation>Flood fill</translation>
    </message>
    <message>
        <source>長方形の辺を描く</source>
        <translation>Draw a rectangle&apos;s edges</translation>
    </message>
    <message>
        <source>指定した長方形の中身を塗りつぶす</source>
        <translation>Fill a rectangle</translation>
    </message>
    <message>
        <source>指定したパターンで塗りつぶす</source>
        <translation>Flood fill with the pattern</translation>
    </message>
    <message>
        <source>指定した長方形内を特定のパターンで塗りつぶす</source>
        <translation>Fill a rectangle with the pattern</translation>
    </message>
    <message>
        <source>切り取り</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>そのままコピー</source>
        <translation>Copy all cells</translation>
    </message>
    <message>
        <source>背景を指定してコピー</source>
        <translation>Copy all but the background</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>ツールバー</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Preview:</source>
        <translation>Preview:</translation>
    </message>
</context>
</TS>
