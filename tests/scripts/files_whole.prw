※ 書く・読む・追加保存: テスト自身のフォルダの中で
『work』へ、フォルダ作成
「abc」を、『work\a.txt』へ、書く
Aに、『work\a.txt』を、読む
Aを、表示
「def」を、『work\a.txt』へ、追加保存
Aに、『work\a.txt』を、読む
Aを、表示
※ ゼロのバイトも残る
Z=「x」&CHR(0)&「y」
Zを、『work\z.bin』へ、書く
Bに、『work\z.bin』を、読む
Bの、バイト数を、表示
『work\z.bin』の、ファイルサイズを、表示
※ 空のファイルは空の値
「」を、『work\empty.txt』へ、保存
Eに、『work\empty.txt』を、開く
「[{E}]」を、表示
※ 書き直しは中身をすべて替え、ほかのファイルを残さない
「1」を、『work\a.txt』へ、書く
『work\』の、ファイル列挙
それを、表示
※ クリップボード
「ab」を、クリップボードへ、書く
「cd」を、クリップボードへ、追加保存
Kに、クリップボードを、読む
Kを、表示
※ 失敗: 誤りの記録は最後にまとめて出る
エラーを無視
Cに、『work\none.txt』を、読む
「x」を、『work\none.txt』へ、追加保存
『work\none.txt』が、存在するか
それを、表示
「x」を、『work\nofolder\a.txt』へ、書く
エラーを警告
Cに、『work\none.txt』を、読む
