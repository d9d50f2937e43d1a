#!/usr/bin/env python3
# Builds the help file "ZLKOVIEW.HLP" and the HTML manual from the topics in help/topics.
#   build_help.py TOPICS_FOLDER HLP_FILE [MANUAL_FOLDER]
# A fault in a topic is reported with the file's name, and nothing is written.
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

from winhelp.help_book import build_help_file, read_book  # noqa: E402
from winhelp.html_manual import write_manual  # noqa: E402
from winhelp.topic_source import HelpSourceError  # noqa: E402

HELP_TITLE = "Zelko View 32 ヘルプ"


def main(arguments):
    if len(arguments) not in (2, 3):
        print("usage: build_help.py TOPICS_FOLDER HLP_FILE [MANUAL_FOLDER]", file=sys.stderr)
        return 2
    try:
        book = read_book(HELP_TITLE, arguments[0])
        data = build_help_file(book)
    except HelpSourceError as error:
        print("build_help: %s" % error, file=sys.stderr)
        return 1
    output = pathlib.Path(arguments[1])
    temporary = output.with_name(output.name + ".tmp")
    temporary.write_bytes(data)
    temporary.replace(output)
    if len(arguments) == 3:
        write_manual(book, arguments[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
