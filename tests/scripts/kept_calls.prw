' Calls read again at the same place see the values their arguments have each time.
T=0
3回、T=和(T,回数)
Tを、表示
S=「」
3回(
  X=回数
  S=S&並べる(「<{X}>」,X)
)
Sを、表示
おわり
*和(?と,?を)
Aに、1番目の、引数得る
Bに、2番目の、引数得る
それは A+B
戻る
*並べる(?と,?を)
Aに、1番目の、引数得る
Bに、2番目の、引数得る
それは A&B
戻る
