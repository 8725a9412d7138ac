[playlist]
NumberOfEntries=2
File1=songs\two.mp3
Title1=Two
Length1=241
File2=https://example.org/live.ogg
Length2=-1
Version=2
