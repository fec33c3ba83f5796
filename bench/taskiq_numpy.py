#!/usr/bin/python3
"""The TaskIQ benchmarks' computations written plainly with numpy, for comparison with
TaskIq_bench: the TTF of a 25 mm insert over 15 slices of 512 x 512 at 0.5 mm, and the
2-D NPS over 16 slices of a 128 x 128 frame (9 ROIs of 64 x 64 on each). Prints the best
of ten runs of each in milliseconds, wall-clock and processor time."""
import time

import numpy as np

SPACING = 0.5


def blurred_disk(size, cx, cy, radius_mm, sigma_mm, contrast):
    # An erf edge: the timing does not depend on the phantom's exact values.
    from math import erf
    y, x = np.mgrid[0:size, 0:size]
    r = np.hypot(x - cx, y - cy) * SPACING
    edge = np.vectorize(lambda t: 0.5 * (1 - erf((t - radius_mm) / (sigma_mm * 2 ** 0.5))))
    return contrast * edge(r)


def ttf(slices, cx, cy, diameter):
    radius = diameter / 2 / SPACING
    average = np.mean(slices, axis=0)
    y, x = np.mgrid[0:average.shape[0], 0:average.shape[1]]
    for _ in range(20):
        d = np.hypot(x - cx, y - cy)
        inside = average[d < radius - 2].mean()
        background = average[(d >= radius + 2) & (d <= 2 * radius)].mean()
        sign = 1 if inside >= background else -1
        window = d < 1.5 * radius
        w = sign * (average[window] - background)
        nx, ny = (w * x[window]).sum() / w.sum(), (w * y[window]).sum() / w.sum()
        shift = np.hypot(nx - cx, ny - cy)
        cx, cy = nx, ny
        if shift < 1e-4:
            break
    d = np.hypot(x - cx, y - cy)
    mask = d < 2 * radius
    bins = np.minimum((d[mask] * 10).astype(int), int(np.ceil(20 * radius)) - 1)
    values = np.stack([s[mask] for s in slices])
    count = np.bincount(np.tile(bins, len(slices)), minlength=int(np.ceil(20 * radius)))
    total = np.bincount(np.tile(bins, len(slices)), weights=values.ravel(), minlength=len(count))
    filled = count > 0
    k = np.arange(len(count))
    esf = np.interp(k, k[filled], total[filled] / count[filled])
    inside = values[:, d[mask] < radius - 2].mean()
    background_values = values[:, d[mask] >= radius + 2]
    contrast = inside - background_values.mean()
    cnr = abs(contrast) / background_values.std() * np.sqrt(len(slices))
    bin_width = SPACING / 10
    edge = radius * SPACING
    half_width = min(edge, 2 * radius * SPACING - edge)
    position = (k[:-1] + 1) * bin_width
    u = (position - edge) / half_width
    hann = np.where(np.abs(u) < 1, 0.5 * (1 + np.cos(np.pi * u)), 0)
    lsf = hann * np.diff(esf) / bin_width
    f = np.linspace(0, max(2, 1 / SPACING), 201)
    spectrum = np.abs(np.exp(-2j * np.pi * np.outer(f, position)) @ lsf)
    values = spectrum / spectrum[0]
    f50 = np.interp(0.5, values[::-1], f[::-1])
    return f50, contrast, cnr


def nps2d(slices, frame, n):
    left, top, width, height = frame
    yy, xx = np.mgrid[0:n, 0:n] / n
    design = np.stack([np.ones_like(xx), xx, yy, xx * xx, xx * yy, yy * yy], axis=-1).reshape(-1, 6)
    power = np.zeros((n, n))
    count = 0
    for s in slices:
        for y0 in range(top, top + height - n + 1, n // 2):
            for x0 in range(left, left + width - n + 1, n // 2):
                roi = s[y0:y0 + n, x0:x0 + n]
                coefficients = np.linalg.lstsq(design, roi.ravel(), rcond=None)[0]
                detrended = roi - (design @ coefficients).reshape(n, n)
                power += np.abs(np.fft.fft2(detrended)) ** 2
                count += 1
    nps = np.fft.fftshift(power) * SPACING * SPACING / (n * n * count)
    v, u = np.mgrid[0:n, 0:n]
    ring = np.floor(np.hypot(u - n // 2, v - n // 2) + 0.5).astype(int)
    keep = ring <= n // 2
    radial = np.bincount(ring[keep], weights=nps[keep]) / np.bincount(ring[keep])
    return radial, count


def best_of(runs, work):
    """The shortest wall-clock and processor times of the runs, in milliseconds."""
    wall, cpu = [], []
    for _ in range(runs):
        start, start_cpu = time.perf_counter(), time.process_time()
        work()
        wall.append(time.perf_counter() - start)
        cpu.append(time.process_time() - start_cpu)
    return "%.2f ms (CPU %.2f ms)" % (min(wall) * 1000, min(cpu) * 1000)


def main():
    rng = np.random.default_rng(1)
    disk = blurred_disk(512, 256.3, 255.6, 12.5, 0.45, 100)
    slices = [disk + rng.normal(0, 10, disk.shape) for _ in range(15)]
    print("TTF, 15 slices of 512 x 512:", best_of(10, lambda: ttf(slices, 256, 256, 25)))
    noise = [rng.normal(0, 10, (512, 512)) for _ in range(16)]
    print("NPS 2-D, 16 slices of 9 ROIs of 64 x 64:", best_of(10, lambda: nps2d(noise, (192, 192, 128, 128), 64)))


if __name__ == "__main__":
    main()
