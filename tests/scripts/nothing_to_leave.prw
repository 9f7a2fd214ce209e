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
