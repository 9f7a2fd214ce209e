※ A word keeps its identity when its meaning is replaced: a loop's counter, the
※ target of an assignment and the word of "それ" stay the words they were.
iを、1から、3まで、繰り返す(
  「i={i}」と、表示
  iを、ローカル変数
)
「後: i={i}」と、表示
x = 1
x = ローカル変数(「x」)
「x={x}」と、表示
表示を、`?を それ;`に、名義変更
言う(「それが命令に」)
それを、`?と 見せる;`に、名義変更
「それがなくても」と、見せる
言う(「結果は書ける」)
y = 2
y = g
言う(「出ない」)
終わる
*g
  計算を、`?を y;`に、名義変更
  それ = 5
戻る
