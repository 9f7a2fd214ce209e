※ 高い安全レベル: 変更はすべて黙って拒まれる
「in」を、『high.txt』へ、書く
『high.txt』が、存在するか
「書く {それ}」を、表示
『high_folder』へ、フォルダ作成
『high_folder\』が、存在するか
「フォルダ作成 {それ}」を、表示
Hで、『high_handle.txt』の、ハンドルを開く
『high_handle.txt』が、存在するか
「ハンドルを開く {それ}」を、表示
