' A label called with brackets binds its own arguments by position, but the statements
' inside it bind theirs by particle, as when it is called as a command.
X=「後」
Y=「前」
写す(1)
Yを、表示
Y=「前」
1を、写す
Yを、表示
おわり
*写す(?を)
Yに、Xを、入れる
戻る
