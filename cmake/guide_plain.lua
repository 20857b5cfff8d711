-- Pandoc filter for README.txt, the guide as Notepad shows it: no pictures (Guide.html has them),
-- headings underlined so that they stand out in plain text.
function Image()
  return {}
end

function Figure()
  return {}
end

function Para(para)
  if #para.content == 0 then return {} end
end

function Header(header)
  local text = pandoc.utils.stringify(header)
  local marks = {"=", "-"}
  local rule = string.rep(marks[header.level] or "~", utf8.len(text))
  return pandoc.Plain({pandoc.Str(text), pandoc.LineBreak(), pandoc.Str(rule)})
end
