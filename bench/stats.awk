# Order statistics for the start-up benchmarks: "min median max" of the n
# values in a blank-separated list, and the median alone.
function stats(list, n,    v, i, j, t) {
    split(list, v, " ")
    for (i = 2; i <= n; i++) {  # insertion sort: mawk has no asort
        t = v[i]
        for (j = i - 1; j >= 1 && v[j] > t; j--)
            v[j + 1] = v[j]
        v[j + 1] = t
    }
    return sprintf("%6.1f %6.1f %6.1f", v[1], (n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2), v[n])
}
function median(list, n,    s) { split(stats(list, n), s, " "); return s[2] }
