※ A command called with brackets binds its arguments again, at the same place, when the
※ name finds another command: here 見せる takes one argument, then two, the first left
※ out standing for それ.
表示を、`?を 見せる;`に、名義変更
X = 「前」
それ = 「それの値」
2回(
  見せる(X)
  もし、回数=1ならば(
    見せるを、`?を 隠す;`に、名義変更
    代入を、`?を ?に 見せる;`に、名義変更
  )
)
「X={X}」を、隠す
