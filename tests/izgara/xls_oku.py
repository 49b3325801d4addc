"""Reads an .xls workbook with xlrd and prints it as JSON, for the export tests.

Each cell: t = xlrd's cell type (0 empty, 1 text, 2 number, 3 date), v = value
(dates as [y, m, d, h, mi, s]), b = the number format of the cell's XF.
"""
import json
import sys

import xlrd


def main(yol):
    kitap = xlrd.open_workbook(yol, formatting_info=True)
    sayfalar = []
    for sayfa in kitap.sheets():
        satirlar = []
        for r in range(sayfa.nrows):
            satir = []
            for c in range(sayfa.ncols):
                hucre = sayfa.cell(r, c)
                xf = kitap.xf_list[hucre.xf_index]
                bicim = kitap.format_map[xf.format_key].format_str
                deger = hucre.value
                if hucre.ctype == xlrd.XL_CELL_DATE:
                    deger = list(xlrd.xldate_as_tuple(deger, kitap.datemode))
                satir.append({"t": hucre.ctype, "v": deger, "b": bicim})
            satirlar.append(satir)
        sayfalar.append({"ad": sayfa.name, "satirlar": satirlar,
                         "kalin": [kitap.font_list[kitap.xf_list[sayfa.cell_xf_index(0, c)].font_index].bold
                                   for c in range(sayfa.ncols)]})
    json.dump({"sayfalar": sayfalar}, sys.stdout, ensure_ascii=False)


if __name__ == "__main__":
    main(sys.argv[1])
