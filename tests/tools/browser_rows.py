#!/usr/bin/env python3
# Writes tests/fixtures/import/browser_rows.json: the pieces of code whose reading
# the import table compares with a browser engine. Run tests/tools/browser_areas.py
# --write on the file afterwards to fill in what the browser makes of them.
import json
import os
M = lambda body: '<map name="m">' + body + '</map>'
A = lambda attrs: '<area ' + attrs + '>'
rows = []
def row(name, html, skipped=0):
    rows.append({"name": name, "html": html, "skipped": skipped})

row("OwnOutputOldAndNew", '<img src="a.jpg" usemap="#m">' + M(
    '  <area shape="rect" coords="0,0,50,40" href="http://a/?x=1&amp;copy&y=2" alt="&quot;旧提示" title="旧提示" target="_blank" />\r\n'
    '  <area shape="rect" coords="50,0,100,40" href="http://a/?x=1&amp;copy&y=2" alt="新提示" title="新提示" target="_blank" />\r\n'
    '  <area shape="rect" coords="100,0,150,40" href="h" alt="&quot;只有 alt" />\r\n'))
row("MalformedReferencesKeepTheRest", M(
    A('coords="0,0,10,10" href="index.php?id=3&#comments" title="x &# y"') +
    A('coords="10,0,20,10" href="a&#;b&#xZZ;c&#x;d&"') +
    A('coords="20,0,30,10" href="&#128;&#x9F;&#0;&#1114112;" title="&bigstar;&AMP&amp"')))
row("LegacyNamesInAttributes", M(
    A('coords="0,0,10,10" href="?id=5&copy&x=1&reg_id=7&copy=1&copyright&not;&notin;&notx&nbsp"') +
    A('coords="10,0,20,10" alt="&lt&gt&quot&para&sect&times&frac12" title="t"')))
row("ShapesAsBrowsersReadThem", M(
    A('coords="0,0,10,10" href="none"') +
    A('shape="rectangel" coords="10,0,20,10" href="rectangel"') +
    A('shape="square" coords="20,0,30,10" href="square"') +
    A('shape="RECTANGLE" coords="30,0,40,10" href="upper"') +
    A('shape=" circle" coords="40,0,50,10" href="spaced circle"') +
    A('shape="Default" coords="1" href="any case"')))
row("DefaultIsTheWholePicture", M(
    A('shape="rect" coords="0,0,10,10" href="first"') + A('shape="default" coords="1,2" href="all" title="整张"')))
row("CoordsAsAListOfNumbers", M(
    A('coords="10;20;30;40" href="semicolons"') +
    A('coords=" 40 , 0 ,, 60 20 99 7" href="spaces and extras"') +
    A('coords="a,b,70,10" href="words are 0"') +
    A('coords="0x10,20,80,30" href="hex is 0"') +
    A('coords="80.9,0,99.5,9.99" href="fractions"') +
    A('coords="x100,+0,120px,1e1" href="junk before and after"') +
    A('coords="130,0,140" href="three"') +
    A('coords="" href="empty"')), 2)
row("ClippedToThePicture", M(
    A('coords="-5,-5,20,20" href="left top"') +
    A('coords="150,50,300,200" href="right bottom"') +
    A('coords="300,0,400,10" href="outside"') +
    A('coords="20,20,20,60" href="no width"') +
    A('coords="60,40,30,30" href="reversed"')), 2)
row("InertContainers",
    '<textarea>' + M(A('coords="0,0,10,10" href="textarea"')) + '</textarea>' +
    '<noscript>' + M(A('coords="0,0,10,10" href="noscript"')) + '</noscript>' +
    '<template>' + M(A('coords="0,0,10,10" href="template"')) + '</template>' +
    '<xmp>' + M(A('coords="0,0,10,10" href="xmp"')) + '</xmp>' +
    '<noembed>' + M(A('coords="0,0,10,10" href="noembed"')) + '</noembed>' +
    '<iframe>' + M(A('coords="0,0,10,10" href="iframe"')) + '</iframe>' +
    '<!-- ' + M(A('coords="0,0,10,10" href="comment"')) + ' -->' +
    '<![CDATA[' + M(A('coords="0,0,10,10" href="cdata"')) + ']]>' +
    '<svg><![CDATA[' + A('coords="0,0,10,10" href="svg cdata"') + ']]>' + A('coords="0,0,10,10" href="svg"') + '</svg>' +
    M(A('coords="50,50,60,60" href="real"')), 1)
row("AreaBesideAMapIsNotClickable",
    A('coords="0,0,10,10" href="before"') + M(A('coords="10,10,20,20" href="inside"')) +
    A('coords="20,20,30,30" href="after"'), 2)
row("DeepNestingDoesNotEndTheDocument",
    '<map name="m">' + '<div>' * 600 + A('coords="0,0,10,10" href="deep"') + '<b><i><u>' * 300 +
    A('coords="10,0,20,10" href="deeper"') + '</map>' + '<span>' * 10)
row("FirstOfDuplicatedAttributes", M(
    A('coords="0,0,10,10" href="first" href="second" COORDS="0,0,90,90" alt="" title="标题"')))
json.dump(rows, open(os.path.join(os.path.dirname(__file__), "../fixtures/import/browser_rows.json"), "w"), ensure_ascii=False, indent=1)
