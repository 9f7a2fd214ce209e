' Calls inside an expression run once each, in the order they are written, whatever
' happens to the words the expression reads after them.
N=0
X=0+数える(1)+数える(10)*数える(100)
「{X} {N}」を、表示
' A call that makes a later name of the same expression a command: the rest is read as
' written, and the call before it is not run again.
Y=5
Z=0+改名(1)+Y
「{Z} {N}」を、表示
' An error after a call has run: the call is not run again either.
エラーを無視
N=0
W=0+数える(1)+「a」*〇〇
「{N}」を、表示
' A name that is not callable any more before anything has run is read the ordinary way.
K=7
3回(
  V=0+回数+K(2)
  「{V}」を、表示
)
' Values that begin with a call and go on: each is read up to its own line's end, in a
' label's body as in the main text, the same each time.
3回(
  R=先頭(回数)*2+1
  S=先頭(回数)&「円」
  T=続けて
  「{R} {S} {T}」を、表示
)
おわり
*先頭(?を)
Aに、1番目の、引数得る
それは A
戻る
*続けて
それは 先頭(2)+先頭(3)
それは それ&「!」
戻る
*数える(?を)
Aに、1番目の、引数得る
N=N+1
それは A
戻る
*改名(?を)
N=N+1
文字数を、`?を Y`に、名義変更
それは 1
戻る
