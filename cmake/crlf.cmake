# cmake -DINPUT=file -DOUTPUT=file -P crlf.cmake: copies a text file with every line ending in
# CR LF, whatever the line ends of the input, so Notepad shows it right.
file(READ ${INPUT} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
