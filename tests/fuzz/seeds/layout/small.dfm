object A: TB
  S = 'x'#243'y'
  N = -5
  E = [a, b]
  I = ok
  object C: TD
  end
end
