#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a table as an .xlsx workbook with openpyxl, a writer independent of the program.

    writexlsx.py TABLE.json OUT.xlsx

TABLE.json: {"sheet": "Clienti", "fields": ["Codice", ...],
             "rows": [[value, ...], ...]}
A value is null (no cell), a number, a boolean, a text, or {"date": "2015-01-12T00:00:00"}.
"""
import datetime
import json
import sys

import openpyxl


def cell_value(value):
    if isinstance(value, dict) and "date" in value:
        return datetime.datetime.fromisoformat(value["date"])
    return value


def main():
    with open(sys.argv[1], encoding="utf-8") as source:
        table = json.load(source)
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = table["sheet"]
    sheet.append(table["fields"])
    for row in table["rows"]:
        sheet.append([cell_value(value) for value in row])
    for cell in sheet.iter_rows():
        for c in cell:
            if isinstance(c.value, datetime.datetime):
                c.number_format = "dd/mm/yyyy hh:mm:ss" if c.value.time() else "dd/mm/yyyy"
    book.save(sys.argv[2])


if __name__ == "__main__":
    main()
