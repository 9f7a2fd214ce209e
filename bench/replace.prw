L=「The quick brown fox jumps over the lazy dog, and the fox runs into the forest. 0123456789 ABCDEFGH」&改行
T=「」
100000回、T=T&L
Tの、「fox」を、「wolf」に、置換
それの、バイト数を、表示
