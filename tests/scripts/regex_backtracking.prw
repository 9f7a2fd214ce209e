「xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx」を、「(x+x+)+y」で、正規表現マッチ
