# The candle as a viewer sees it on a 1920 x 1080 monitor, run by run with the settings of
# each row below:
# - defaults: the inside glow breathes with the flame (over ten frames in a second the
#   mean of a patch inside the left eye moves by at least 15 % of its highest), while the
#   stem, lit from outside alone, holds still (the red of its right third moves by at most
#   3 % of its mean); the flame shows a yellow-white core, smoke rises above the lid, and
#   the pumpkin's outline is smoothed on both sides (at least 80 % of the rows of each end
#   in a pixel the edge covers only in part: clearly dimmer than the skin further in, not
#   a bare stair);
# - height 0 and 15: the tall flame's yellow-white core is at least 1.8 times the small
#   one's;
# - a blue candle: its smoke is as grey and as plain as the default candle's (at least
#   half as many smoke pixels), since smoke keeps its own colour.
source "$(dirname "$0")/../lib.sh" "$1"
start_nested_x -screen 1920x1080
copy_product

# Where the pumpkin's parts lie on a 1080p monitor (the 4:3 picture, 1440 x 1080, centred).
EYE=40x30+770+440
NOSE=300x340+810+300
ABOVE_LID=600x230+660+0
FLAME_CORE='r > 0.9 && g > 0.6'
# Smoke: grey, clearly above the black around, with no colour of its own.
SMOKE='r > 0.1 && abs(r - g) < 0.05 && abs(g - b) < 0.05'

# run_with HEIGHT COLOUR: the saver with those settings, once the scene shows and its
# smoke has had time to rise past the lid.
run_with() {
  [ -n "$SAVER_PID" ] && { kill "$SAVER_PID" 2>/dev/null; wait "$SAVER_PID" 2>/dev/null || true; }
  sed -i "s/^candleheight=.*/candleheight=$1/I; s/^candlecolor=.*/candlecolor=$2/I" "$WORK/kelvora.ini"
  start_saver
  wait_until 40 pumpkin_shown || fail "no pumpkin on the 1080p monitor within 40 s (height $1, colour $2)"
  # Soot shows once it has risen clear of the lid, a second or two after its birth.
  wait_until 10 smoke_shows "$WORK/poll.png" || fail "no smoke above the lid (height $1, colour $2)"
}

pumpkin_shown() {
  screenshot "$WORK/poll.png" || return 1
  [ "$(count_pixels "$WORK/poll.png" "$ORANGE")" -ge 500 ]
}

smoke_shows() {
  screenshot "$1" || return 1
  [ "$(pixels_in "$1" "$SMOKE" "$ABOVE_LID")" -ge 50 ]
}

# pixels_in PICTURE TEST CROP: how many pixels of the crop, brought to half size (a test
# of every pixel at full size is slow), pass the test.
pixels_in() {
  convert "$1" -crop "$3" +repage -scale 50% -fx "$2 ? 1 : 0" -format '%[fx:round(mean*w*h)]' info:
}

# mean_over_frames COUNT TEST CROP: the mean, over COUNT screenshots a tenth of a second
# apart, of the pixels in the crop passing the test.
mean_over_frames() {
  local total=0 k
  for k in $(seq "$1"); do
    screenshot "$WORK/frame.png"
    total=$((total + $(pixels_in "$WORK/frame.png" "$2" "$3")))
    sleep 0.1  # the spacing of the samples, not a wait for an event
  done
  echo $((total / $1))
}

# stem_right_red PICTURE: the red of the stem's right third, on 20 rows near its cut end
# (the stem is the top of the lit region). The picture wanders by a pixel now and then,
# and the stem's flank darkens steeply towards its edge, so a crop held still would see
# the shading slide: on each row the third is taken between the stem's edges, found to a
# fraction of a pixel where the red falls through 100, and the red read between pixels.
# Smoke drifting past the stem greys it, or its edges, which blend with what lies behind:
# a row with a greyed pixel on the stem or at its edges (green above 0.39 of red, where the
# stem's own colour has 0.37 all along) is left out, the median of the rest stands for the
# stem, and a picture without a clear row gives nothing.
stem_right_red() {
  local bounds width height left top x0 y0
  bounds=$(convert "$1" -scale 25% -fx "$ORANGE ? 1 : 0" -threshold 50% -format '%@' info:)
  read -r width height left top < <(echo "$bounds" | tr 'x+' '  ')
  # The cut end's row to the pixel: the stem's shading changes along it.
  x0=$(((left + width / 2) * 4 - 150))
  y0=$((top * 4 - 20))
  bounds=$(convert "$1" -crop "300x60+$x0+$y0" +repage -fx "r > 0.25 && r > 1.5 * g ? 1 : 0" -threshold 50% \
    -format '%@' info:)
  read -r width height left top < <(echo "$bounds" | tr 'x+' '  ')
  convert "$1" -crop "300x20+$x0+$((y0 + top + 10))" +repage -fx "r > 1.5 * g && g < 0.39 * r ? r : (r > 0.1 ? 1 / 255 : 0)" \
    -channel R -separate \
    -depth 8 txt:- | awk -F'[,:() ]+' '
    NR > 1 { red[$2, $1] = $4; if ($2 > last) last = $2 }
    # Where the red falls through 100 between x and x + step.
    function crossing(y, x, step) { return x + step * (red[y, x] - 100) / (red[y, x] - red[y, x + step]) }
    function at(y, x,   i) { i = int(x); return red[y, i] + (x - i) * (red[y, i + 1] - red[y, i]) }
    END {
      for (y = 0; y <= last; y++) {
        for (l = 0; l < 299 && red[y, l + 1] < 100; l++);
        for (r = 299; r > 0 && red[y, r - 1] < 100; r--);
        if (r - l < 10) continue
        for (x = l; x <= r && red[y, x] != 1; x++);
        if (x <= r) continue
        a = crossing(y, l + 1, -1); b = crossing(y, r - 1, 1)
        sum = 0
        for (k = 0; k < 10; k++) sum += at(y, b - (b - a) / 3 + k * (b - a) / 30)
        rows[++n] = sum / 10
      }
      # The median row (a simple sort: twenty rows at most).
      for (i = 2; i <= n; i++) for (j = i; j > 1 && rows[j - 1] > rows[j]; j--) { t = rows[j]; rows[j] = rows[j - 1]; rows[j - 1] = t }
      if (n) printf "%.1f\n", rows[int((n + 1) / 2)]
    }'
}

# How many rows through the middle of the pumpkin have a left outline that ends in a pixel
# of partial cover (lit at all, but under 85 % of the red two pixels further in), and how
# many rows were measured. Without smoothing about one row in five does, where the skin's
# own shading darkens towards the outline.
partly_covered_rows() {
  local bounds width height left top
  # The orange region's bounds, found on a quarter-size copy (full size is slow to test).
  bounds=$(convert "$1" -scale 25% -fx "$ORANGE ? 1 : 0" -threshold 50% -format '%@' info:)
  read -r width height left top < <(echo "$bounds" | tr 'x+' '  ')
  convert "$1" -crop "300x$((height * 12 / 5))+$((left * 4 - 20))+$((top * 4 + height * 4 / 5))" +repage \
    -channel R -separate -depth 8 txt:- | awk -F'[,:() ]+' '
    NR > 1 { red[$2, $1] = $4; if ($2 > last) last = $2 }
    END {
      for (y = 0; y <= last; y++) {
        for (x = 0; x < 290 && red[y, x] <= 12; x++);
        if (x >= 290 || red[y, x + 2] < 60) continue
        rows++
        if (red[y, x] < 0.85 * red[y, x + 2]) partial++
      }
      printf "%d %d\n", partial, rows
    }'
}

run_with 10 145151
cp "$WORK/poll.png" "$ARTIFACTS/$CASE-defaults.png"

eye=()
for k in $(seq 10); do
  eye+=("$(import -window root -crop "$EYE" +repage -format '%[fx:mean*255]' info: 2>/dev/null)")
  sleep 0.1  # the spacing of the samples, not a wait for an event
done
echo "eye patch over a second: ${eye[*]}"
printf '%s\n' "${eye[@]}" | awk 'NR == 1 || $1 < low { low = $1 } NR == 1 || $1 > high { high = $1 }
  END { exit !(high > 0 && (high - low) / high >= 0.15) }' ||
  fail "the glow in the eye moved by less than 15 % over a second: ${eye[*]}"

# Twenty pictures in a second or so: smoke hides the stem in some of them.
for k in $(seq 20); do
  screenshot "$WORK/stem-$k.png"
  sleep 0.05  # the spacing of the samples, not a wait for an event
done
stem=()
for k in $(seq 20); do
  red=$(stem_right_red "$WORK/stem-$k.png")
  [ -z "$red" ] || stem+=("$red")
done
echo "stem's right third over a second: ${stem[*]}"
[ ${#stem[@]} -ge 5 ] || fail "smoke hid the stem in $((20 - ${#stem[@]})) of 20 pictures"
# A faint sprite (a thin wisp, the flame's halo) drifts over the stem in a picture now and
# then: the swing is taken between the second lowest and the second highest.
printf '%s\n' "${stem[@]}" | sort -n | awk '{ red[NR] = $1; sum += $1 }
  END { exit !(sum > 0 && (red[NR - 1] - red[2]) / (sum / NR) <= 0.03) }' ||
  fail "the stem's right third moved by more than 3 % of its red over a second: ${stem[*]}"

core=$(pixels_in "$WORK/poll.png" "$FLAME_CORE" "$NOSE")
echo "yellow-white flame core: $core pixels"
[ "$core" -ge 40 ] || fail "the flame shows no yellow-white core through the nose ($core pixels)"

# The right outline is the left one of the mirrored picture.
convert "$WORK/poll.png" -flop "$WORK/mirrored.png"
for side in left right; do
  picture=$WORK/poll.png
  [ $side = left ] || picture=$WORK/mirrored.png
  read -r partial rows < <(partly_covered_rows "$picture")
  echo "$side outline: $partial of $rows rows end in a partly covered pixel"
  [ "$rows" -ge 100 ] && [ $((partial * 100)) -ge $((rows * 80)) ] ||
    fail "only $partial of $rows rows of the $side outline end in a partly covered pixel"
done

defaultSmoke=$(mean_over_frames 5 "$SMOKE" "$ABOVE_LID")

run_with 0 145151
small=$(mean_over_frames 5 "$FLAME_CORE" "$NOSE")
cp "$WORK/frame.png" "$ARTIFACTS/$CASE-height-0.png"
run_with 15 145151
tall=$(mean_over_frames 5 "$FLAME_CORE" "$NOSE")
cp "$WORK/frame.png" "$ARTIFACTS/$CASE-height-15.png"
echo "flame core pixels: height 0 $small, height 15 $tall"
[ $((tall * 10)) -ge $((small * 18)) ] ||
  fail "the flame's core at height 15 ($tall pixels) is under 1.8 times that at 0 ($small)"

run_with 10 16711680
blueSmoke=$(mean_over_frames 5 "$SMOKE" "$ABOVE_LID")
cp "$WORK/frame.png" "$ARTIFACTS/$CASE-blue.png"
echo "smoke pixels: default candle $defaultSmoke, blue candle $blueSmoke"
[ $((blueSmoke * 2)) -ge "$defaultSmoke" ] ||
  fail "a blue candle's smoke ($blueSmoke pixels) is under half the default's ($defaultSmoke)"
