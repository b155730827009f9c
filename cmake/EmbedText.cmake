# cmake -DINPUT=<text file> -DOUTPUT=<.cpp> -DNAME=<identifier> -P EmbedText.cmake
# Writes a source defining `extern const char NAME[]` with the file's bytes, so that a test
# carries its expected results wherever it runs (under Wine, on another machine).
file(READ ${INPUT} text)
file(WRITE ${OUTPUT} "extern const char ${NAME}[];\nconst char ${NAME}[] = R\"qv(${text})qv\";\n")
