#!/usr/bin/python3
"""The reference for ctiq-measure sspz: only reads every slice of a folder with pydicom
and takes the ROI mean with numpy, as a script would do it.

usage: read_roi_means.py FOLDER X Y W H   (ROI centre and size, as ctiq-measure --roi)
"""
import pathlib
import sys

import numpy
import pydicom


def main():
    folder = pathlib.Path(sys.argv[1])
    x, y, w, h = (int(v) for v in sys.argv[2:6])
    left, top = x - w // 2, y - h // 2
    for path in sorted(folder.iterdir()):
        ds = pydicom.dcmread(path)
        block = ds.pixel_array[top:top + h, left:left + w].astype(numpy.float64)
        mean = block.mean() + float(getattr(ds, "RescaleIntercept", 0))
        print(f"{path.name}\t{ds.SliceThickness}\t{ds.ImagePositionPatient[2]}\t{mean:.15g}")


if __name__ == "__main__":
    main()
