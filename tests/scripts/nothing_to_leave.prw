' 抜ける, 戻る and 飛ぶ with nothing to act on keep the blocks they stand in running.
もし、1=1ならば(
「もしの中」と、表示
抜ける
「抜けた後も続く」と、表示
)
「もしの後」と、表示
エラーを無視
2回(
「回{回数}」と、表示
戻る
存在しないラベルに飛ぶ
「回{回数}の続き」と、表示
)
「最後」と、表示
' A mismatched ここまで loses the record it took, but the block it stood in runs on.
1回(
ここまで
「ここまでの後」と、表示
)
「出ない」と、表示
