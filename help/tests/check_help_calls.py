#!/usr/bin/env python3
# Walks every call of the help engine (WinHelpA) in the programs' sources and checks the help file
# answers it: a numeric context must be in the file's context map and lead to the start of a topic
# (otherwise the help window opens and closes at once), and the contents must be named.
# A context passed in through a function's parameter is followed to that function's callers.
#   check_help_calls.py SOURCE_ROOT HLP_FILE
import pathlib
import re
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from hlp_reader import HelpFile  # noqa: E402

SOURCE_FOLDERS = ("viewer", "utilities", "controls")
CONSTANT = re.compile(r"(?:constexpr\s+\w+\s+(\w+)\s*=\s*(\d+)\s*;|#define\s+(\w+)\s+(\d+)\b)")
CALL = re.compile(r"\bWinHelpA\s*\(")
FUNCTION = re.compile(r"^[\w:<>*&\s]+?\b(\w+)\s*\(([^()]*)\)\s*(?:const\s*)?\{", re.M)


def arguments_at(text, start):
    """The top-level comma-separated arguments of the call whose '(' is at start."""
    depth, current, result = 0, "", []
    for character in text[start:]:
        if character == "(":
            depth += 1
            if depth == 1:
                continue
        elif character == ")":
            depth -= 1
            if depth == 0:
                result.append(current.strip())
                return result
        elif character == "," and depth == 1:
            result.append(current.strip())
            current = ""
            continue
        current += character
    raise ValueError("unclosed call")


class Sources:
    def __init__(self, root):
        self.files = {}
        for folder in SOURCE_FOLDERS:
            for path in sorted((root / folder).rglob("*")):
                if path.suffix in (".cpp", ".h") and not path.name.endswith("_test.cpp"):
                    self.files[path.relative_to(root).as_posix()] = path.read_text(encoding="utf-8")
        self.constants = {}
        for name, text in self.files.items():
            for match in CONSTANT.finditer(text):
                key, value = (match.group(1), match.group(2)) if match.group(1) else (match.group(3), match.group(4))
                self.constants.setdefault(key, {})[name] = int(value)

    def constant(self, file, name):
        """The value a name has in file: its own constant first, else a single one elsewhere."""
        values = self.constants.get(name, {})
        if file in values:
            return values[file]
        if len(set(values.values())) == 1:
            return next(iter(values.values()))
        return None

    def enclosing_function(self, file, position):
        found = None
        for match in FUNCTION.finditer(self.files[file]):
            if match.start() > position:
                break
            found = match
        return found

    def calls_of(self, function):
        for file, text in self.files.items():
            for match in re.finditer(r"\b%s\s*\(" % re.escape(function), text):
                line_start = text.rfind("\n", 0, match.start()) + 1
                if re.match(r"\s*(void|bool|int|static|INT_PTR|LRESULT)\b", text[line_start:match.start()]):
                    continue  # the definition or a declaration
                yield file, match.end() - 1


def line_of(text, position):
    return text.count("\n", 0, position) + 1


def contexts_of(sources, file, argument, position, trail):
    """[(where, value or None)] for a context argument, following parameters to callers."""
    where = "%s:%d" % (file, line_of(sources.files[file], position))
    if argument.isdigit():
        return [(where, int(argument))]
    value = sources.constant(file, argument)
    if value is not None:
        return [(where, value)]
    function = sources.enclosing_function(file, position)
    parameters = [p.split()[-1] for p in function.group(2).split(",")] if function else []
    if argument not in parameters or function.group(1) in trail:
        return [(where, None)]
    index = parameters.index(argument)
    found = []
    for caller_file, call_at in sources.calls_of(function.group(1)):
        caller_argument = arguments_at(sources.files[caller_file], call_at)[index]
        found += contexts_of(sources, caller_file, caller_argument, call_at, trail + [function.group(1)])
    return found or [(where, None)]


def help_calls(sources):
    """[(where, command, context or None)] of every WinHelpA call."""
    calls = []
    for file, text in sources.files.items():
        for match in CALL.finditer(text):
            arguments = arguments_at(text, match.end() - 1)
            command = arguments[2]
            if command == "HELP_CONTEXT":
                calls += [(where, command, value) for where, value in contexts_of(sources, file, arguments[3], match.start(), [])]
            else:
                calls.append(("%s:%d" % (file, line_of(text, match.start())), command, None))
    return calls


def problems(calls, help_file):
    topic_offsets = {topic[1] for topic in help_file.topics() if topic[0]}
    context_map = help_file.context_map()
    _, system = help_file.system()
    found = []
    for where, command, context in calls:
        if command == "HELP_CONTEXT" and context is None:
            found.append("%s: the context cannot be worked out from the code" % where)
        elif command == "HELP_CONTEXT" and context_map.get(context) not in topic_offsets:
            found.append("%s: context %d is not in the help file's map" % (where, context))
        elif command == "HELP_CONTENTS" and int.from_bytes(system[3][0], "little") not in topic_offsets:
            found.append("%s: the help file names no contents topic" % where)
        elif command not in ("HELP_CONTEXT", "HELP_CONTENTS", "HELP_QUIT"):
            found.append("%s: help command %s is not checked here" % (where, command))
    return found


def main(arguments):
    sources = Sources(pathlib.Path(arguments[0]))
    calls = help_calls(sources)
    help_file = HelpFile(pathlib.Path(arguments[1]).read_bytes())
    for where, command, context in calls:
        print("%-50s %-13s %s" % (where, command, "" if context is None else context))
    found = problems(calls, help_file)
    if not calls:
        found.append("no call of WinHelpA found under %s" % ", ".join(SOURCE_FOLDERS))
    for problem in found:
        print("check_help_calls: " + problem, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
