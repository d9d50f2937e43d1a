# The WinHelp (.HLP) writer: help topics kept as text in, one help file and an HTML manual out.
