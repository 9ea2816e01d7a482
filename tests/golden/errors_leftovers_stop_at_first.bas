' Unresolved lines: only the first is reported
GOTO
FOO
END
