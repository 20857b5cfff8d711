#!/usr/bin/env bash
# Opens the release zip's Guide.html in a real browser (Debian's headless Chromium), alone in an
# empty folder as a player's unpacked zip has it, and checks that every picture of the guide's
# source shows: each loaded, with the width and height of its PNG, decoded to its last pixel, and
# drawn at that size on a phone's narrow screen (the page scrolls rather than shrink it).
# Also that the page names no file or address it would need to fetch.
#   check_guide_html.sh ZIP GUIDE_SOURCE PICTURES_FOLDER
set -euo pipefail
zip=$(realpath "$1") guide=$(realpath "$2") pictures=$(realpath "$3")
fail() { echo "$*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/page"
(cd "$work/page" && cmake -E tar xf "$zip" Guide.html)

# Every picture of the source with its width and height, from the PNG header.
expected=$(sed -n 's/^!\[[^]]*\](\([^)]*\)).*/\1/p' "$guide" | while read -r png; do
  python3 -c 'import struct, sys
data = open(sys.argv[1], "rb").read(24)
print("%dx%d" % struct.unpack(">II", data[16:24]))' "$pictures/$png"
done | tr '\n' ' ')
[ -n "$expected" ] || fail "$guide has no pictures"

# Nothing outside the page: every src and href is embedded data or a place in the page itself.
outside=$(grep -oE '(src|href)="[^"#][^"]{0,40}' "$work/page/Guide.html" | grep -v '="data:' || true)
[ -z "$outside" ] ||
  fail "Guide.html needs files or addresses beside it:"$'\n'"$outside"

# A copy of the page with a script at its end that reports, once the page has loaded, the size
# each picture shows at (0x0 for one that did not load or decode), in a line the DOM dump shows.
{
  sed 's#</body>##; s#</html>##' "$work/page/Guide.html"
  cat <<'SCRIPT'
<script>
// A picture shows when it loaded and every pixel of it was decoded: the screenshots are opaque,
// so a transparent pixel drawn from one is a part its data did not hold.
function shown(img) {
  if (!img.complete || !img.naturalWidth) return "0x0";
  const size = img.naturalWidth + "x" + img.naturalHeight;
  if (img.width !== img.naturalWidth || img.height !== img.naturalHeight)
    return size + "-shown-at-" + img.width + "x" + img.height;
  const context = new OffscreenCanvas(img.naturalWidth, img.naturalHeight).getContext("2d");
  context.drawImage(img, 0, 0);
  const pixels = context.getImageData(0, 0, img.naturalWidth, img.naturalHeight).data;
  for (let i = 3; i < pixels.length; i += 4) if (pixels[i] !== 255) return size + "-partly";
  return size;
}
window.addEventListener("load", () => {
  const report = document.createElement("pre");
  report.id = "picture-report";
  report.textContent = Array.from(document.images, shown).join(" ");
  document.body.appendChild(report);
});
</script>
</body></html>
SCRIPT
} >"$work/page/checked.html"

dom=$(chromium --headless --no-sandbox --disable-gpu --user-data-dir="$work/profile" \
  --window-size=360,640 \
  --virtual-time-budget=15000 --dump-dom "file://$work/page/checked.html" 2>/dev/null)
shown=$(grep -o '<pre id="picture-report">[^<]*</pre>' <<<"$dom" | sed 's/<[^>]*>//g' || true)
[ "$shown " = "$expected" ] ||
  fail "Guide.html in Chromium shows pictures of sizes '$shown'; want '${expected% }'"
echo "Guide.html: $(wc -w <<<"$shown") pictures shown in $(chromium --version 2>/dev/null)"
