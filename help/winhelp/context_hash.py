# The context-name hash the help engine uses to find a topic by name (jumps, the context B+ tree).
import re

_VALID_NAME = re.compile(r"^[A-Za-z0-9._]+$")


def is_valid_context_name(name):
    """Only letters, digits, '.' and '_' hash alike in every help reader."""
    return bool(_VALID_NAME.match(name))


def _character_value(character):
    if "1" <= character <= "9":
        return ord(character) - ord("0")
    if character == "0":
        return 10
    if character == ".":
        return 12
    if character == "_":
        return 13
    return ord(character.upper()) - ord("A") + 17


def context_hash(name):
    """The unsigned 32-bit hash of a context name: h = h * 43 + value, wrapping."""
    value = 0
    for character in name:
        value = (value * 43 + _character_value(character)) & 0xFFFFFFFF
    return value


def signed(value):
    """A 32-bit value as the signed number the reader sorts by."""
    return value - 0x100000000 if value & 0x80000000 else value
