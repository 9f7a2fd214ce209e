' A call that is an assignment's whole value counts the same nesting as any value read.
N=0
X=深く(1)
*深く(?を)
Aに、1番目の、引数得る
N=N+A
X=深く(1)
戻る
