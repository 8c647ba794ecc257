# Measurements on a plain PPM image (P3, as `convert ... -compress none ppm:-`
# writes it), for hidpi.sh:
#   awk -v mode=MODE [-v name=value ...] -f hidpi_measure.awk image.ppm
# Modes:
#   palette   the distinct colours, "r,g,b" one a line
#   stretch   the image stretched to W x H by nearest neighbour, each target
#             pixel taking the source pixel under its centre (a P3 image)
#   colours   with allowed="r,g,b r,g,b ...": "foreign N present P", the
#             pixels of no allowed colour and how many allowed colours occur
#   runs      "row R column C": the shortest run of one colour along a row
#             and along a column
#   text      "height H ink N uniform U hard D" for dark text on a light
#             ground: the height of its ink (pixels of luminance under 128),
#             the amount of ink, the largest share over the four 2x2 grids of
#             inked 2x2 blocks that are one flat colour, and the share of
#             hard steps (luminance jumps of 160 or more) among all edges
#             (jumps of 32 or more) between neighbouring pixels
#   lines     with dir=v (a vertical line crossing every row) or dir=h (a
#             horizontal one crossing every column): "scans S single K impure
#             I start A B width C D": how many scan lines, how many of them
#             cross exactly one run of black, how many pixels are neither
#             pure black nor pure white, and the range of the runs' first
#             pixel and of their widths
{
    sub(/#.*/, "")
    for (i = 1; i <= NF; i++) tok[nt++] = $i
}

function lum(p) {
    return int((299 * R[p] + 587 * G[p] + 114 * B[p]) / 1000)
}

function same(p, q) {
    return R[p] == R[q] && G[p] == G[q] && B[p] == B[q]
}

function black(p) {
    return R[p] == 0 && G[p] == 0 && B[p] == 0
}

function white(p) {
    return R[p] == 255 && G[p] == 255 && B[p] == 255
}

END {
    if (tok[0] != "P3" || tok[3] != 255) {
        print "not a plain 8-bit PPM image" >"/dev/stderr"
        exit 2
    }
    w = tok[1]
    h = tok[2]
    for (p = 0; p < w * h; p++) {
        R[p] = tok[4 + 3 * p]
        G[p] = tok[5 + 3 * p]
        B[p] = tok[6 + 3 * p]
    }

    if (mode == "palette") {
        for (p = 0; p < w * h; p++) seen[R[p] "," G[p] "," B[p]] = 1
        for (c in seen) print c
    } else if (mode == "stretch") {
        printf "P3\n%d %d\n255\n", W, H
        for (y = 0; y < H; y++) {
            sy = int((2 * y + 1) * h / (2 * H))
            for (x = 0; x < W; x++) {
                p = sy * w + int((2 * x + 1) * w / (2 * W))
                print R[p], G[p], B[p]
            }
        }
    } else if (mode == "colours") {
        n = split(allowed, list, " ")
        for (i = 1; i <= n; i++) ok[list[i]] = 1
        foreign = 0
        for (p = 0; p < w * h; p++) {
            c = R[p] "," G[p] "," B[p]
            if (c in ok) found[c] = 1
            else foreign++
        }
        present = 0
        for (c in found) present++
        printf "foreign %d present %d\n", foreign, present
    } else if (mode == "runs") {
        rowmin = w
        for (y = 0; y < h; y++) {
            run = 1
            for (x = 1; x <= w; x++) {
                if (x < w && same(y * w + x, y * w + x - 1)) {
                    run++
                } else {
                    if (run < rowmin) rowmin = run
                    run = 1
                }
            }
        }
        colmin = h
        for (x = 0; x < w; x++) {
            run = 1
            for (y = 1; y <= h; y++) {
                if (y < h && same(y * w + x, (y - 1) * w + x)) {
                    run++
                } else {
                    if (run < colmin) colmin = run
                    run = 1
                }
            }
        }
        printf "row %d column %d\n", rowmin, colmin
    } else if (mode == "text") {
        for (p = 0; p < w * h; p++) L[p] = lum(p)
        top = h
        bottom = -1
        ink = 0
        for (y = 0; y < h; y++) {
            for (x = 0; x < w; x++) {
                if (L[y * w + x] < 128) {
                    ink++
                    if (y < top) top = y
                    if (y > bottom) bottom = y
                }
            }
        }
        # Text drawn at a lower resolution and enlarged twice by nearest
        # neighbour is made of flat 2x2 blocks on one of the four grids.
        uniform = 0
        for (py = 0; py < 2; py++) {
            for (px = 0; px < 2; px++) {
                inked = 0
                flat = 0
                for (y = py; y + 1 < h; y += 2) {
                    for (x = px; x + 1 < w; x += 2) {
                        a = y * w + x
                        if (L[a] < 160 || L[a + 1] < 160 || L[a + w] < 160 || L[a + w + 1] < 160) {
                            inked++
                            if (same(a, a + 1) && same(a, a + w) && same(a, a + w + 1)) flat++
                        }
                    }
                }
                if (inked && flat / inked > uniform) uniform = flat / inked
            }
        }
        # Enlarged with interpolation instead, it has no hard steps left.
        edges = 0
        hard = 0
        for (y = 0; y < h; y++) {
            for (x = 0; x < w; x++) {
                p = y * w + x
                if (x + 1 < w) {
                    d = L[p] - L[p + 1]
                    if (d < 0) d = -d
                    if (d >= 32) edges++
                    if (d >= 160) hard++
                }
                if (y + 1 < h) {
                    d = L[p] - L[p + w]
                    if (d < 0) d = -d
                    if (d >= 32) edges++
                    if (d >= 160) hard++
                }
            }
        }
        height = bottom >= top ? bottom - top + 1 : 0
        printf "height %d ink %d uniform %.3f hard %.3f\n", height, ink, uniform, edges ? hard / edges : 0
    } else if (mode == "lines") {
        scans = dir == "v" ? h : w
        along = dir == "v" ? w : h
        single = 0
        impure = 0
        smin = along
        smax = -1
        wmin = along
        wmax = -1
        for (s = 0; s < scans; s++) {
            runs = 0
            inrun = 0
            for (t = 0; t <= along; t++) {
                if (t < along) {
                    p = dir == "v" ? s * w + t : t * w + s
                    if (!black(p) && !white(p)) impure++
                    isblack = black(p)
                } else {
                    isblack = 0
                }
                if (isblack && !inrun) {
                    runs++
                    start = t
                    inrun = 1
                } else if (!isblack && inrun) {
                    inrun = 0
                    if (runs == 1) {
                        width = t - start
                        first = start
                    }
                }
            }
            if (runs == 1) {
                single++
                if (first < smin) smin = first
                if (first > smax) smax = first
                if (width < wmin) wmin = width
                if (width > wmax) wmax = width
            }
        }
        printf "scans %d single %d impure %d start %d %d width %d %d\n", scans, single, impure, smin,
            smax, wmin, wmax
    } else {
        print "unknown mode " mode >"/dev/stderr"
        exit 2
    }
}
