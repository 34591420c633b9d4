# On a 1920 x 1080 monitor the pumpkin's silhouette is as sharp as a picture drawn at the
# monitor's own size. The measure: across the silhouette's left edge, on rows through its
# middle, the width in pixels of the rise from 10 % to 90 % of the step from the black
# around to the skin (sub-pixel, by linear interpolation), the median over the rows. The
# skin's own shading darkens towards the outline, so even a sharp edge rises over a pixel
# or two; the same screenshot brought down to the 800 x 600 the scene used to be drawn at
# and stretched back as before (bilinear) rises over clearly more, and the edge drawn at
# the monitor's size must rise in under three quarters of that.
source "$(dirname "$0")/../lib.sh" "$1"
start_nested_x -screen 1920x1080
copy_product
start_saver
wait_until 30 scene_shown || fail "no scene on the 1080p monitor within 30 s"
cp "$WORK/poll.png" "$ARTIFACTS/$CASE-native.png"

# The bars either side of the 4:3 picture are black, all the way down (the picture starts
# in place and wanders a pixel every few seconds, so the strips stop short of it).
for strip in 230x1080+0+0 230x1080+1690+0; do
  lit=$(convert "$WORK/poll.png" -crop "$strip" +repage -threshold 3% -format '%[fx:round(mean*w*h)]' info:)
  [ "$lit" -eq 0 ] || fail "$lit pixels of the bar $strip are not black"
done

# The picture the monitor shows (4:3, centred) as the old display made it: drawn at
# 800 x 600 (every 1.8th pixel) and stretched bilinearly. How soft a stretched edge looks
# depends on where it falls on that grid, and the pumpkin drifts, so the grid is laid at
# five offsets a pixel apart (five places within a cell of 1.8) and the widths averaged.
stretch_from() {
  convert "$WORK/poll.png" -crop "1440x1080+$((240 + $1))+0" +repage -sample "800x600!" \
    -filter Triangle -resize '1440x1080!' -background black -gravity center -extent 1920x1080 \
    "$WORK/stretched.png"
}

# The rows of the middle fifth of the pumpkin's height, from the orange region's bounds in
# the screenshot; the stretched copies keep them.
bounds=$(convert "$WORK/poll.png" -fx "$ORANGE ? 1 : 0" -threshold 50% -format '%@' info:)
height=$(echo "$bounds" | sed 's/^[0-9]*x\([0-9]*\)+.*/\1/')
top=$(echo "$bounds" | sed 's/.*+\([0-9]*\)$/\1/')

# edge_width PICTURE: the median 10-90 % rise across the silhouette's left edge.
edge_width() {
  convert "$1" -crop "1920x$((height / 5))+0+$((top + height * 2 / 5))" +repage -channel R -separate \
    -depth 8 txt:- | awk -F'[,:() ]+' '
    NR > 1 { red[$2, $1] = $4; if ($2 > last) last = $2 }
    END {
      for (y = 0; y <= last; y += 2) {
        # The first pixel clearly on the skin, then the step around it.
        for (x = 4; x < 1900 && red[y, x] <= 60; x++);
        if (x >= 1900) continue
        low = red[y, x - 4]; high = red[y, x + 6]
        if (high - low < 60) continue
        t10 = low + 0.1 * (high - low); t90 = low + 0.9 * (high - low)
        x10 = -1; x90 = -1
        for (i = x - 4; i < x + 6; i++) {
          a = red[y, i]; b = red[y, i + 1]
          if (x10 < 0 && a < t10 && b >= t10) x10 = i + (t10 - a) / (b - a)
          if (x90 < 0 && a < t90 && b >= t90) x90 = i + (t90 - a) / (b - a)
        }
        if (x10 >= 0 && x90 >= 0) print x90 - x10
      }
    }' | sort -n | awk '{ width[NR] = $1 } END { if (NR < 5) print "none"; else printf "%.2f\n", width[int((NR + 1) / 2)] }'
}

native=$(edge_width "$WORK/poll.png")
stretched_widths=
for offset in 0 1 2 3 4; do
  stretch_from $offset
  stretched_widths="$stretched_widths $(edge_width "$WORK/stretched.png")"
done
cp "$WORK/stretched.png" "$ARTIFACTS/$CASE-stretched.png"
stretched=$(echo "$stretched_widths" | awk '{ for (i = 1; i <= NF; i++) { if ($i == "none") { print "none"; exit } sum += $i } printf "%.2f\n", sum / NF }')
echo "edge 10-90 % width: at the monitor's size $native px, 800 x 600 stretched $stretched px (at each offset:$stretched_widths)"
[ "$native" != none ] && [ "$stretched" != none ] || fail "no silhouette edge to measure"
awk -v n="$native" -v s="$stretched" 'BEGIN { exit !(n < s * 0.75) }' ||
  fail "the silhouette's edge rises over $native px (the stretched picture's over $stretched px)"
