※ 中間の安全レベル: プログラムのフォルダの中は尋ねない。外は尋ね、答えがない(入力の終わり)なら拒む
「in」を、『inside.txt』へ、書く
『inside.txt』が、存在するか
「inside {それ}」を、表示
「out」を、『..\files_security_outside.txt』へ、書く
『..\files_security_outside.txt』が、存在するか
「outside {それ}」を、表示
※ security.ini はどのレベルでも触れない
「[x]」を、『security.ini』へ、書く
『security.ini』が、存在するか
「security.ini {それ}」を、表示
