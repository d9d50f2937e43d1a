# The same topics as an HTML manual (UTF-8, one page per topic, index.html the contents topic),
# for a browser on systems without a WinHelp reader.
import html
import pathlib

from .paragraphs import FONT_BOLD, FONT_HEADING

_PAGE = """<!DOCTYPE html>
<html lang="ja">
<head>
<meta charset="utf-8">
<title>{title} - {book}</title>
<style>body {{ font-family: sans-serif; max-width: 48em; margin: 1em auto; line-height: 1.6; }}
nav {{ border-bottom: 1px solid #ccc; padding-bottom: .3em; }} p.item {{ margin: .2em 0 .2em 1em; }}</style>
</head>
<body>
{body}
</body>
</html>
"""


def page_name(book, context):
    return "index.html" if book.by_context[context.upper()].is_contents else context.lower() + ".html"


def _inline(book, spans):
    out = []
    for span in spans:
        text = html.escape(span.text)
        if span.kind == "bold":
            out.append("<b>%s</b>" % text)
        elif span.kind == "link":
            out.append('<a href="%s">%s</a>' % (page_name(book, span.target), text))
        else:
            out.append(text)
    return "".join(out)


def _paragraph(book, paragraph):
    inline = _inline(book, paragraph.spans)
    if paragraph.font == FONT_HEADING:
        return "<h1>%s</h1>" % inline
    if paragraph.font == FONT_BOLD:
        return "<h2>%s</h2>" % inline
    css = ' class="item"' if inline.startswith("・") else ""
    return "<p%s>%s</p>" % (css, inline)


def topic_page(book, topic):
    navigation = "\n".join(_paragraph(book, p) for p in book.navigation(topic))
    body = "\n".join(_paragraph(book, p) for p in topic.paragraphs)
    return _PAGE.format(title=html.escape(topic.title), book=html.escape(book.title),
                        body="<nav>\n%s\n</nav>\n<h1>%s</h1>\n%s" % (navigation, html.escape(topic.title), body))


def write_manual(book, folder):
    folder = pathlib.Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    for topic in book.topics:
        (folder / page_name(book, topic.context)).write_text(topic_page(book, topic), encoding="utf-8")
