Tに、母艦のパス&『table.csv』を、読む
Tの、0列目を、表ソート
S=それ
Sを、母艦のパス&『sorted-pirune.csv』へ、書く
Sの、バイト数を、表示
