"""Writes CT slices with the structures that scanners write and simple test files do not,
each beside the numbers pydicom reads from it, for the tests of the DICOM load.

    scanner_slices.py FOLDER

FOLDER/<name>.dcm for each form below, FOLDER/expected.tsv with one line per file
(name, columns, rows, spacing, intercept, position, thickness, header offset, and the
mean and population SD of pixel_array + intercept over the ROI rows/columns 40..87),
and two series of five slices with the same pixels: FOLDER/scanner/ written as a
scanner writes them, FOLDER/plain/ with nothing but the image's own elements.
"""
import struct
import sys
from pathlib import Path

import numpy
import pydicom
from pydicom.dataset import Dataset, FileMetaDataset
from pydicom.sequence import Sequence
from pydicom.uid import ExplicitVRLittleEndian, ImplicitVRLittleEndian, generate_uid

ROI_SIZE = 48  # the ROI: centred on the image, 48 x 48 pixels, as the Viewer's "Position" and "Size" give it


def pixels(rows, columns, seed, stored_offset):
    rng = numpy.random.default_rng(seed)
    image = rng.normal(1000, 25, (rows, columns)) + numpy.linspace(0, 40, columns)
    return (image + stored_offset).astype(numpy.int16)


def undefined(sequence_element):
    """A sequence and its items written with undefined lengths, closed by delimitations."""
    sequence_element.is_undefined_length = True
    for item in sequence_element.value:
        item.is_undefined_length_sequence_item = True
    return sequence_element


def item(**elements):
    d = Dataset()
    for keyword, value in elements.items():
        setattr(d, keyword, value)
    return d


def base(syntax, rows, columns, position, intercept, series_uid):
    meta = FileMetaDataset()
    meta.MediaStorageSOPClassUID = "1.2.840.10008.5.1.4.1.1.2"
    meta.MediaStorageSOPInstanceUID = generate_uid()
    meta.TransferSyntaxUID = syntax
    ds = Dataset()
    ds.file_meta = meta
    ds.SOPClassUID = meta.MediaStorageSOPClassUID
    ds.SOPInstanceUID = meta.MediaStorageSOPInstanceUID
    ds.Modality = "CT"
    ds.Manufacturer = "CTIQ test"
    ds.ManufacturerModelName = "Scanner form"
    ds.KVP = "120"
    ds.SliceThickness = "1.5"
    ds.StudyInstanceUID = "1.2.826.0.1.3680043.8.498.1"
    ds.SeriesInstanceUID = series_uid
    ds.ImagePositionPatient = ["-100", "-120", position]
    ds.ImageOrientationPatient = ["1", "0", "0", "0", "1", "0"]
    ds.SamplesPerPixel = 1
    ds.PhotometricInterpretation = "MONOCHROME2"
    ds.Rows = rows
    ds.Columns = columns
    ds.PixelSpacing = ["0.488281", "0.488281"]
    ds.BitsAllocated = 16
    ds.BitsStored = 16
    ds.HighBit = 15
    ds.PixelRepresentation = 1
    ds.RescaleIntercept = str(intercept)
    ds.RescaleSlope = "1"
    return ds


def with_icon(ds):
    """An 8-bit 64 x 64 thumbnail with its own Rows, Columns and Pixel Data, before the image's."""
    icon = item(SamplesPerPixel=1, PhotometricInterpretation="MONOCHROME2", Rows=64, Columns=64,
                BitsAllocated=8, BitsStored=8, HighBit=7, PixelRepresentation=0)
    icon.PixelData = bytes(range(256)) * 16
    icon["PixelData"].VR = "OB"
    ds.IconImageSequence = Sequence([icon])


def with_implicit_sequences(ds):
    """Standard and private sequences of undefined length, nested two deep."""
    code = item(CodeValue="CTHEAD", CodingSchemeDesignator="L", CodeMeaning="Head")
    ds.ProcedureCodeSequence = Sequence([code])
    undefined(ds["ProcedureCodeSequence"])
    referenced = item(ReferencedSOPClassUID="1.2.840.10008.5.1.4.1.1.2", ReferencedSOPInstanceUID="1.2.3.4")
    referenced.PurposeOfReferenceCodeSequence = Sequence([item(CodeValue="121311", CodeMeaning="Localizer")])
    undefined(referenced["PurposeOfReferenceCodeSequence"])
    ds.ReferencedImageSequence = Sequence([referenced, item(ReferencedSOPInstanceUID="1.2.3.5")])
    undefined(ds["ReferencedImageSequence"])
    # A private sequence holding an inner private sequence: Rows, Columns and a Pixel
    # Data tag inside it must not be taken for the image's.
    inner = Dataset()
    inner.add_new(0x00291010, "US", 64)
    inner.add_new(0x00280010, "US", 64)
    inner.add_new(0x00280011, "US", 64)
    outer = Dataset()
    outer.add_new(0x00291008, "CS", "PRIVATE")
    outer.add_new(0x00291020, "SQ", Sequence([inner]))
    undefined(outer[0x00291020])
    ds.add_new(0x00290010, "LO", "CTIQ PRIVATE")
    ds.add_new(0x00291030, "SQ", Sequence([outer]))
    undefined(ds[0x00291030])


def with_deep_sequences(ds):
    """The Multi-energy CT Acquisition Sequence and its items, three deep, with FD, UL and US values."""
    source = item(KVP="80")  # the energy of one source, not the slice's kV
    source.add_new(0x00190010, "LO", "CTIQ SOURCE")
    source.add_new(0x00191001, "FD", 0.75)
    source.add_new(0x00191002, "UL", 7)
    source.add_new(0x00191003, "US", 32)
    source.add_new(0x00280010, "US", 32)  # an item's Rows is not the image's
    path = item()
    path.add_new(0x00189365, "SQ", Sequence([source]))  # MultienergyCTXRaySourceSequence
    acquisition = item()
    acquisition.add_new(0x00189379, "SQ", Sequence([path]))  # MultienergyCTPathSequence
    ds.add_new(0x00189362, "SQ", Sequence([acquisition]))  # MultienergyCTAcquisitionSequence
    # A referenced series before the slice's own Series Instance UID.
    ds.ReferencedSeriesSequence = Sequence([item(SeriesInstanceUID="1.2.826.0.1.3680043.8.498.999")])


def with_unknown_vr_sequence(ds):
    """A sequence of undefined length and an unknown-VR element of undefined length that holds one."""
    ds.ProcedureCodeSequence = Sequence([item(CodeValue="CTBODY")])
    undefined(ds["ProcedureCodeSequence"])
    inner = Dataset()
    inner.add_new(0x00431001, "LO", "inside unknown")
    inner.add_new(0x00280011, "US", 32)
    body = bytearray()
    body += struct.pack("<HHI", 0xFFFE, 0xE000, 0xFFFFFFFF)
    for tag, value in ((0x00431001, b"inside unknown"), (0x00280011, struct.pack("<H", 32))):
        body += struct.pack("<HHI", tag >> 16, tag & 0xFFFF, len(value)) + value
    body += struct.pack("<HHI", 0xFFFE, 0xE00D, 0)  # pydicom writes the sequence delimitation
    ds.add_new(0x00430010, "LO", "CTIQ UNKNOWN")
    ds.add_new(0x00431002, "UN", bytes(body))
    ds[0x00431002].is_undefined_length = True


def with_large_private_header(ds, size=40 * 1024):
    ds.add_new(0x00090010, "LO", "CTIQ LARGE")
    ds.add_new(0x00091001, "OB", bytes(size))
    for i in range(200):
        ds.add_new(0x00091100 + i, "LO", "private value %03d" % i)


def write(ds, path, image, implicit):
    ds.PixelData = image.tobytes()
    ds["PixelData"].VR = "OW"
    ds.is_little_endian = True
    ds.is_implicit_VR = implicit
    pydicom.dcmwrite(path, ds, write_like_original=False)
    if hasattr(ds, "IconImageSequence"):
        raw = path.read_bytes()
        # Writers put the icon before the image: the data set is ordered by tag, and
        # (0088,0200) lies before (7FE0,0010).
        assert raw.find(b"\xe0\x7f\x10\x00") < raw.rfind(b"\xe0\x7f\x10\x00")


def expected_line(path, name):
    ds = pydicom.dcmread(path)
    values = ds.pixel_array.astype(numpy.int64) + int(float(ds.RescaleIntercept))
    first = ds.Columns // 2 - ROI_SIZE // 2
    roi = values[first:first + ROI_SIZE, first:first + ROI_SIZE].astype(numpy.float64)
    header = path.stat().st_size - ds.Rows * ds.Columns * 2
    fields = [name, ds.Columns, ds.Rows, ds.PixelSpacing[0], int(float(ds.RescaleIntercept)),
              ds.ImagePositionPatient[2], ds.SliceThickness, header, repr(roi.mean()), repr(roi.std())]
    return "\t".join(str(f) for f in fields)


FORMS = {
    # name: (transfer syntax implicit?, rows, columns, intercept, structures)
    "icon": (False, 128, 128, -1024, [with_icon]),
    "implicit_sequences": (True, 128, 128, -8192, [with_implicit_sequences]),
    "deep_sequences": (False, 128, 128, -1024, [with_deep_sequences]),
    "unknown_vr_sequence": (False, 128, 128, -1024, [with_unknown_vr_sequence]),
    "large_header": (False, 64, 64, -8192, [with_large_private_header]),
}


def main():
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    lines = []
    for index, (name, (implicit, rows, columns, intercept, structures)) in enumerate(FORMS.items()):
        syntax = ImplicitVRLittleEndian if implicit else ExplicitVRLittleEndian
        ds = base(syntax, rows, columns, "12.5", intercept, "1.2.826.0.1.3680043.8.498.%d" % (10 + index))
        for add in structures:
            add(ds)
        path = folder / (name + ".dcm")
        write(ds, path, pixels(rows, columns, index, -intercept), implicit)
        lines.append(expected_line(path, name))
    (folder / "expected.tsv").write_text("\n".join(lines) + "\n")

    # The same five slices twice: as a scanner writes them, and plainly.
    for kind in ("scanner", "plain"):
        (folder / kind).mkdir(exist_ok=True)
        for i in range(5):
            position = "%.1f" % (i * 1.5)
            syntax = ImplicitVRLittleEndian if kind == "scanner" else ExplicitVRLittleEndian
            ds = base(syntax, 128, 128, position, -8192, "1.2.826.0.1.3680043.8.498.2")
            if kind == "scanner":
                with_icon(ds)
                with_implicit_sequences(ds)
                with_large_private_header(ds, 4096)
            image = pixels(128, 128, 100 + i, 8192)
            image[48:80, 48:80] += numpy.int16(200 * (i == 2) + 100 * (i in (1, 3)))
            write(ds, folder / kind / ("slice%d.dcm" % (i + 1)), image, kind == "scanner")


if __name__ == "__main__":
    main()
