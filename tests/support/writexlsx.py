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

with open(sys.argv[1], encoding="utf-8") as source:
    table = json.load(source)
book = openpyxl.Workbook()
sheet = book.active
sheet.title = table["sheet"]
sheet.append(table["fields"])
for row in table["rows"]:
    sheet.append([datetime.datetime.fromisoformat(value["date"]) if isinstance(value, dict)
                  else value for value in row])
for row in sheet.iter_rows():
    for cell in row:
        if isinstance(cell.value, datetime.datetime):
            cell.number_format = "dd/mm/yyyy hh:mm:ss"
book.save(sys.argv[2])
