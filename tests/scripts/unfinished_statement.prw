' A statement still being read when the text ends is not kept as though it had ended there.
「始め」と、表示
再帰を、呼ぶ
*再帰
再帰を、
