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
' Expressions among the arguments are evaluated afresh at each reading.
U=0
3回、U=U+和(回数*10,回数-1)
Uを、表示
' A statement that is a call reads its arguments afresh too, and what follows the call
' reads its result.
L=「」
3回(
  記録(回数*2,「-」)
  和(回数,100)を、表示
)
Lを、表示
' Calls inside an expression whose texts need quoting.
3回、W=並べる(「a,b」,回数)&「/」&並べる(回数+1,「c」)
Wを、表示
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
*記録(?と,?を)
Aに、1番目の、引数得る
Bに、2番目の、引数得る
L=L&A&B
戻る
