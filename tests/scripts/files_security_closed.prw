※ 答えのないまま入力が終わると拒む
「1」を、『..\files_security_closed.txt』へ、書く
『..\files_security_closed.txt』が、存在するか
「閉じた {それ}」を、表示
