※ 中間の安全レベル: プログラムのフォルダの中は尋ねない。外は尋ね、答えに従う
「in」を、『inside.txt』へ、書く
『inside.txt』が、存在するか
「inside {それ}」を、表示
※ いいえ
「1」を、『..\files_security_1.txt』へ、書く
『..\files_security_1.txt』が、存在するか
「いいえ {それ}」を、表示
※ はい
「2」を、『..\files_security_2.txt』へ、書く
『..\files_security_2.txt』が、存在するか
「はい {それ}」を、表示
※ 全てはい: 以後は尋ねない
「3」を、『..\files_security_3.txt』へ、書く
「4」を、『..\files_security_4.txt』へ、書く
『..\files_security_4.txt』が、存在するか
「全てはい {それ}」を、表示
※ security.ini はどのレベルでも触れない
「[x]」を、『security.ini』へ、書く
『security.ini』が、存在するか
「security.ini {それ}」を、表示
